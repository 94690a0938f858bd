#include "platform/Clock.h"

#include <ctime>

#include "platform/posix/FileTimes.h"

namespace linkloom::platform {

FileTime CurrentFileTime() {
    struct timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return ToFileTime(now);
}

}  // namespace linkloom::platform
