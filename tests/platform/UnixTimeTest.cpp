#include <gtest/gtest.h>

#include <cstdint>

#include "platform/UnixTime.h"

namespace linkloom::platform {
namespace {

constexpr FileTime kLatest = ~FileTime(0);

FileTime Converted(std::int64_t seconds, std::int64_t nanoseconds, bool inRange = true) {
    FileTime time = 12345;
    EXPECT_EQ(FileTimeFromUnix(seconds, nanoseconds, time), inRange) << seconds << " s " << nanoseconds << " ns";
    return time;
}

TEST(FileTimeFromUnix, CountsHundredsOfNanosecondsSince1601) {
    EXPECT_EQ(Converted(0, 0), 116444736000000000ULL);
    EXPECT_EQ(Converted(1709467200, 999999999), 133539408009999999ULL);
    EXPECT_EQ(Converted(-kSecondsFrom1601To1970, 0), 0u);
    EXPECT_EQ(Converted(-kSecondsFrom1601To1970, 99), 0u);
}

TEST(FileTimeFromUnix, HoldsStampsOutsideTheRangeToItsEnds) {
    EXPECT_EQ(Converted(-kSecondsFrom1601To1970 - 1, 999999999, false), 0u);
    EXPECT_EQ(Converted(-20000000000LL, 0, false), 0u);
    EXPECT_EQ(Converted(INT64_MIN, 0, false), 0u);

    // The last second a file time counts holds only part of its nanoseconds.
    const std::int64_t lastSecond = static_cast<std::int64_t>(kLatest / 10000000) - kSecondsFrom1601To1970;
    EXPECT_EQ(Converted(lastSecond, 955161500), kLatest);
    EXPECT_EQ(Converted(lastSecond, 955161600, false), kLatest);
    EXPECT_EQ(Converted(lastSecond + 1, 0, false), kLatest);
    EXPECT_EQ(Converted(INT64_MAX, 999999999, false), kLatest);
}

}  // namespace
}  // namespace linkloom::platform
