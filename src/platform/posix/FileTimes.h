#pragma once

#include <ctime>

#include "platform/UnixTime.h"

namespace linkloom::platform {

// A POSIX time as a file time; a time outside what a file time counts becomes the nearest end.
inline FileTime ToFileTime(const struct timespec& time) {
    FileTime converted = 0;
    FileTimeFromUnix(time.tv_sec, time.tv_nsec, converted);
    return converted;
}

}  // namespace linkloom::platform
