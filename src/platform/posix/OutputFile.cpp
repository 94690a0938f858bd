#include "platform/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "platform/StopSignals.h"
#include "platform/posix/FileIdentity.h"
#include "platform/posix/SystemError.h"

namespace linkloom::platform {

namespace {

// As many links as the kernel follows in one path.
constexpr int kMostLinks = 40;

OutputKind KindOf(const struct stat& info) {
    if (S_ISREG(info.st_mode)) return OutputKind::File;
    return S_ISDIR(info.st_mode) ? OutputKind::Folder : OutputKind::Stream;
}

}  // namespace

OutputTarget ResolveOutputTarget(const String& path) {
    std::string bytes = path.ToNativeBytes();
    struct stat info;
    // Devices are written as named: "/dev/stdout" leads through links the kernel makes up.
    if (stat(bytes.c_str(), &info) == 0 && KindOf(info) == OutputKind::Stream) return {path, OutputKind::Stream};
    for (int hops = 0; hops < kMostLinks; ++hops) {
        if (lstat(bytes.c_str(), &info) != 0) break;
        if (!S_ISLNK(info.st_mode)) return {String::FromUtf8(bytes), KindOf(info)};
        std::string link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 256) + 1, '\0');
        const ssize_t length = readlink(bytes.c_str(), link.data(), link.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= link.size()) break;
        link.resize(static_cast<std::size_t>(length));
        const std::size_t slash = bytes.rfind('/');
        bytes = link[0] == '/' || slash == std::string::npos ? link : bytes.substr(0, slash + 1) + link;
    }
    return {String::FromUtf8(bytes), OutputKind::Missing};
}

OutputFile OutputFile::StandardOutput() { return OutputFile(STDOUT_FILENO, false, kStandardOutput); }

OutputFile OutputFile::StandardError() { return OutputFile(STDERR_FILENO, false, kStandardError); }

Outcome<OutputFile> OutputFile::CreateNew(const String& path, FileAccess access) {
    const mode_t mode = access == FileAccess::Private ? 0600 : 0666;
    int fd;
    do {
        fd = open(path.ToNativeBytes().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, mode);
    } while (fd < 0 && ShouldRetry(errno));
    if (fd < 0) {
        SystemError failure = LastFailure(path, Action::Write);
        if (failure.code == EEXIST) failure.kind = SystemError::Kind::Exists;
        return failure;
    }
    return OutputFile(fd, true, path);
}

Outcome<OutputFile> OutputFile::OpenStream(const String& path) {
    int fd;
    // Opening a FIFO waits for its reader.
    do {
        fd = open(path.ToNativeBytes().c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && ShouldRetry(errno) && PendingStop() == StopRequest::None);
    if (fd < 0) return LastFailure(path, Action::Write);
    return OutputFile(fd, true, path);
}

Outcome<OutputFile> OutputFile::OpenAppend(const String& path) {
    const int fd = open(path.ToNativeBytes().c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) return LastFailure(path, Action::Write);
    return OutputFile(fd, true, path);
}

std::optional<SystemError> OutputFile::Write(const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(static_cast<int>(handle_), bytes, size);
        if (written < 0 && !ShouldRetry(errno)) return LastFailure(path_, Action::Write);
        if (written > 0) {
            bytes += written;
            size -= static_cast<std::size_t>(written);
        }
        // A write that a signal cut short (a reader that holds the pipe without reading) goes on
        // only while nothing asks the run to end without writing.
        if (size > 0 && EndsWithoutWriting(PendingStop())) return SystemFailure(EINTR, path_, Action::Write);
    }
    return std::nullopt;
}

bool OutputFile::Identify(FileIdentity& identity) const {
    struct stat info;
    if (fstat(static_cast<int>(handle_), &info) != 0) return false;
    identity = IdentityOf(info);
    return true;
}

std::optional<SystemError> OutputFile::Close() {
    const int fd = static_cast<int>(std::exchange(handle_, kNone));
    // Linux releases the descriptor even when close reports EINTR.
    if (fd < 0 || !owned_ || close(fd) == 0 || errno == EINTR) return std::nullopt;
    return LastFailure(path_, Action::Write);
}

}  // namespace linkloom::platform
