#pragma once

#include <ctime>

#include "platform/Directory.h"

namespace linkloom::platform {

// A POSIX time as a file time. Times before 1601 become 0 and times past what 64 bits of
// 100-nanosecond units hold become the largest file time, so no conversion overflows.
FileTime ToFileTime(const struct timespec& time);

}  // namespace linkloom::platform
