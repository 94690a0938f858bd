#include "platform/ScratchFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/RandomName.h"
#include "platform/posix/SystemError.h"

namespace linkloom::platform {

namespace {

constexpr std::size_t kNameLength = 16;
// Names taken by chance are tried again, a few times.
constexpr int kMostTries = 8;

std::string TemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

}  // namespace

void ScratchFile::Close() {
    if (handle_ != kNone) close(static_cast<int>(handle_));
    handle_ = kNone;
}

std::optional<SystemError> ScratchFile::Create(ScratchFile& file) {
    const String folder = String::FromUtf8(TemporaryFolder());
    for (int tries = 0; tries < kMostTries; ++tries) {
        Outcome<String> name = RandomName(kNameLength);
        if (!name) return name.Failure();
        const std::string path = TemporaryFolder() + "/linkloom-" + name->ToUtf8() + ".tmp";
        const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600);
        if (fd < 0 && (errno == EEXIST || errno == EINTR)) continue;
        if (fd < 0) return LastFailure(folder, Action::Write);
        unlink(path.c_str());
        file.Close();
        file.handle_ = fd;
        return std::nullopt;
    }
    return SystemFailure(EEXIST, folder, Action::Write);
}

bool ScratchFile::Write(std::uint64_t offset, const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t wrote = pwrite(static_cast<int>(handle_), bytes, size, static_cast<off_t>(offset));
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        bytes += wrote;
        size -= static_cast<std::size_t>(wrote);
        offset += static_cast<std::uint64_t>(wrote);
    }
    return true;
}

bool ScratchFile::Read(std::uint64_t offset, char* bytes, std::size_t size) const {
    while (size > 0) {
        const ssize_t got = pread(static_cast<int>(handle_), bytes, size, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        bytes += got;
        size -= static_cast<std::size_t>(got);
        offset += static_cast<std::uint64_t>(got);
    }
    return true;
}

}  // namespace linkloom::platform
