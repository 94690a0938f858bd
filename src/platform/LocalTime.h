#pragma once

#include <cstdint>

namespace linkloom::platform {

// The offset of local time from UTC in force now, daylight saving included, in seconds.
std::int64_t CurrentUtcOffsetSeconds();

}  // namespace linkloom::platform
