#include "platform/LocalTime.h"

#include <ctime>

namespace linkloom::platform {

std::int64_t CurrentUtcOffsetSeconds() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_gmtoff;
}

}  // namespace linkloom::platform
