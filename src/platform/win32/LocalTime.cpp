#include "platform/LocalTime.h"

#include <windows.h>

#include "platform/UnixTime.h"

namespace linkloom::platform {

std::int64_t CurrentUtcOffsetSeconds() {
    // FileTimeToLocalFileTime applies the bias in force now to any time; measure that bias once.
    FILETIME now, local;
    GetSystemTimeAsFileTime(&now);
    if (!FileTimeToLocalFileTime(&now, &local)) return 0;
    const auto toCount = [](const FILETIME& time) {
        return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    };
    return (toCount(local) - toCount(now)) / kFileTimeUnitsPerSecond;
}

}  // namespace linkloom::platform
