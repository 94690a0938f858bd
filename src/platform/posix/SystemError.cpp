#include "platform/posix/SystemError.h"

#include <cerrno>
#include <cstring>

#include "platform/StopSignals.h"
#include "platform/SystemError.h"

namespace linkloom::platform {

String SystemReason(int code) { return String::FromUtf8(std::strerror(code)); }

String Describe(SystemError error) { return SystemReason(static_cast<int>(error.code)); }

bool ShouldRetry(int code) { return code == EINTR && !EndsWithoutWriting(PendingStop()); }

}  // namespace linkloom::platform
