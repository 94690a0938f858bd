#include "platform/Clock.h"

#include <windows.h>

namespace linkloom::platform {

FileTime CurrentFileTime() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (static_cast<FileTime>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

}  // namespace linkloom::platform
