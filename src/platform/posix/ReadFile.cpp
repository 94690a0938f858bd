#include "platform/ReadFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/FileTimes.h"
#include "platform/posix/SystemError.h"

namespace linkloom::platform {

namespace {

// Non-blocking, so that opening a pipe named like a page returns at once; it is refused below.
constexpr int kReadFlags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

}  // namespace

std::optional<SystemError> SequentialFile::Adopt(int descriptor, const String& path) {
    if (descriptor < 0) return LastFailure(path, Action::Read);
    struct stat info;
    if (fstat(descriptor, &info) != 0) {
        const SystemError failure = LastFailure(path, Action::Read);
        close(descriptor);
        return failure;
    }
    if (!S_ISREG(info.st_mode)) {
        close(descriptor);
        return NotAFile(path);
    }
    descriptor_ = descriptor;
    stamp_.written = ToFileTime(info.st_mtim);
    stamp_.size = static_cast<std::uint64_t>(info.st_size);
    return std::nullopt;
}

std::optional<SystemError> SequentialFile::Open(const String& path) {
    Close();
    return Adopt(open(path.ToNativeBytes().c_str(), kReadFlags), path);
}

std::optional<SystemError> SequentialFile::Open(const FolderHandle& folder, const String& name) {
    Close();
    return Adopt(openat(folder.Descriptor(), name.ToNativeBytes().c_str(), kReadFlags), name);
}

void SequentialFile::Close() {
    if (descriptor_ >= 0) close(descriptor_);
    descriptor_ = -1;
}

bool SequentialFile::IsOpen() const { return descriptor_ >= 0; }

std::size_t SequentialFile::Read(void* buffer, std::size_t size) {
    std::size_t done = 0;
    while (descriptor_ >= 0 && done < size) {
        const ssize_t got = read(descriptor_, static_cast<char*>(buffer) + done, size - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

bool SequentialFile::Rewind() { return descriptor_ >= 0 && lseek(descriptor_, 0, SEEK_SET) == 0; }

bool SequentialFile::Stamp(FileStamp& stamp) const {
    if (descriptor_ < 0) return false;
    stamp = stamp_;
    return true;
}

}  // namespace linkloom::platform
