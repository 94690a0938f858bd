#include "platform/posix/FileTimes.h"

#include <cstdint>

namespace linkloom::platform {

FileTime ToFileTime(const struct timespec& time) {
    constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600LL;
    constexpr std::int64_t kLatestSecond =
        static_cast<std::int64_t>(~FileTime{0} / 10000000ULL) - kSecondsFrom1601To1970 - 1;
    if (time.tv_sec < -kSecondsFrom1601To1970) return 0;
    if (time.tv_sec > kLatestSecond) return ~FileTime{0};
    return static_cast<FileTime>(time.tv_sec + kSecondsFrom1601To1970) * 10000000ULL +
           static_cast<FileTime>(time.tv_nsec / 100);
}

}  // namespace linkloom::platform
