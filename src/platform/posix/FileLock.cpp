#include "platform/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/SystemError.h"

namespace linkloom::platform {

std::optional<SystemError> FileLock::Acquire(const String& path, Mode mode) {
    Release();
    const std::string bytes = path.ToNativeBytes();
    // Not blocking: a FIFO planted under the name must not hold the run.
    const int flags =
        O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (mode == Mode::CreateNew ? O_EXCL : 0);
    for (;;) {
        const int fd = open(bytes.c_str(), flags, 0644);
        if (fd < 0) {
            if (ShouldRetry(errno)) continue;
            return LastFailure(path, Action::Write);
        }
        int locked;
        do {
            locked = flock(fd, LOCK_EX | (mode == Mode::Wait ? 0 : LOCK_NB));
        } while (locked != 0 && ShouldRetry(errno));
        if (locked != 0) {
            const SystemError failure = LastFailure(path, Action::Write);
            close(fd);
            return failure;
        }
        // A holder removes the file before it lets go: a lock got on a removed file is no lock.
        struct stat held, named;
        if (fstat(fd, &held) == 0 && held.st_nlink > 0 && lstat(bytes.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            handle_ = fd;
            path_ = path;
            return std::nullopt;
        }
        close(fd);
    }
}

void FileLock::Release() {
    if (handle_ == kNone) return;
    unlink(path_.ToNativeBytes().c_str());
    close(static_cast<int>(handle_));
    handle_ = kNone;
}

bool FileLock::IsTaken(const String& path) {
    const int fd = open(path.ToNativeBytes().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return errno != ENOENT;
    const bool taken = flock(fd, LOCK_SH | LOCK_NB) != 0;
    close(fd);
    return taken;
}

}  // namespace linkloom::platform
