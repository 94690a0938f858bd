#pragma once

#include <cstdint>

#include "platform/Directory.h"

namespace linkloom::platform {

constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600LL;
// File times count 100-nanosecond units.
constexpr std::int64_t kFileTimeUnitsPerSecond = 10000000;

// The whole seconds from 1970-01-01 UTC to a file time.
constexpr std::int64_t UnixSecondsOf(FileTime time) {
    return static_cast<std::int64_t>(time / kFileTimeUnitsPerSecond) - kSecondsFrom1601To1970;
}

// The file time of a POSIX time stamp (seconds and nanoseconds since 1970-01-01 UTC). A stamp
// before 1601 or past what a file time can count (in the year 60056) gives the nearest end of
// that range, and false.
bool FileTimeFromUnix(std::int64_t seconds, std::int64_t nanoseconds, FileTime& time);

}  // namespace linkloom::platform
