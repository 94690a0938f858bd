#include "platform/ReadFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace linkloom::platform {

SequentialFile::SequentialFile() : handle_(-1) {}

SequentialFile::~SequentialFile() { Close(); }

bool SequentialFile::Open(const String& path) {
    Close();
    const int fd = open(path.ToNativeBytes().c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat info;
    // Only regular files are pages; a directory, a pipe or a device named like one is not opened.
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return false;
    }
    handle_ = fd;
    return true;
}

void SequentialFile::Close() {
    if (handle_ >= 0) close(static_cast<int>(handle_));
    handle_ = -1;
}

bool SequentialFile::IsOpen() const { return handle_ >= 0; }

std::size_t SequentialFile::Read(void* buffer, std::size_t size) {
    if (handle_ < 0) return 0;
    ssize_t got;
    do {
        got = read(static_cast<int>(handle_), buffer, size);
    } while (got < 0 && errno == EINTR);
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

bool SequentialFile::MoveBack(std::uint32_t count) {
    return handle_ >= 0 && lseek(static_cast<int>(handle_), -static_cast<off_t>(count), SEEK_CUR) >= 0;
}

}  // namespace linkloom::platform
