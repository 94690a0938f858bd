#include "platform/OutputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace linkloom::platform {

namespace {

String Reason(int code) { return String::FromUtf8(std::strerror(code)); }

}  // namespace

bool ReplacingFile::Create(const String& target, String& error) {
    Abandon();
    const String temporary = target + u".tmp" + String::FromInt(getpid());
    const int fd = open(temporary.ToNativeBytes().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = Reason(errno);
        return false;
    }
    handle_ = fd;
    temporary_ = temporary;
    return true;
}

bool ReplacingFile::Write(const char* bytes, std::size_t size, String& error) {
    while (size > 0) {
        const ssize_t written = write(static_cast<int>(handle_), bytes, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            error = Reason(errno);
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool ReplacingFile::Close(String& error) {
    const int fd = static_cast<int>(handle_);
    handle_ = -1;
    if (fd >= 0 && close(fd) != 0) {
        error = Reason(errno);
        Abandon();
        return false;
    }
    return true;
}

bool ReplacingFile::Commit(const String& target, String& error) {
    if (!Close(error)) return false;
    if (rename(temporary_.ToNativeBytes().c_str(), target.ToNativeBytes().c_str()) != 0) {
        error = Reason(errno);
        Abandon();
        return false;
    }
    temporary_ = String();
    return true;
}

void ReplacingFile::Abandon() {
    if (handle_ >= 0) close(static_cast<int>(handle_));
    handle_ = -1;
    if (!temporary_.IsEmpty()) unlink(temporary_.ToNativeBytes().c_str());
    temporary_ = String();
}

bool RemoveFile(const String& path) { return unlink(path.ToNativeBytes().c_str()) == 0; }

}  // namespace linkloom::platform
