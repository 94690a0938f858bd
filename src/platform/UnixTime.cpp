#include "platform/UnixTime.h"

#include <algorithm>
#include <limits>

namespace linkloom::platform {

bool FileTimeFromUnix(std::int64_t seconds, std::int64_t nanoseconds, FileTime& time) {
    constexpr FileTime kLatest = std::numeric_limits<FileTime>::max();
    constexpr std::int64_t kUnitsPerSecond = kFileTimeUnitsPerSecond;
    constexpr std::int64_t kLatestSecond = UnixSecondsOf(kLatest);
    const auto units = static_cast<FileTime>(std::clamp<std::int64_t>(nanoseconds, 0, 999999999) / 100);
    if (seconds < -kSecondsFrom1601To1970) {
        time = 0;
        return false;
    }
    if (seconds > kLatestSecond || (seconds == kLatestSecond && units > kLatest % kUnitsPerSecond)) {
        time = kLatest;
        return false;
    }
    time = static_cast<FileTime>(seconds + kSecondsFrom1601To1970) * kUnitsPerSecond + units;
    return true;
}

}  // namespace linkloom::platform
