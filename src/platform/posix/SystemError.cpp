#include "platform/posix/SystemError.h"

#include <cerrno>
#include <cstring>

#include "platform/StopSignals.h"

namespace linkloom::platform {

String SystemReason(int code) { return String::FromUtf8(std::strerror(code)); }

bool ShouldRetry(int code) { return code == EINTR && !EndsWithoutWriting(PendingStop()); }

}  // namespace linkloom::platform
