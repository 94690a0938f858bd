#include "platform/posix/SystemError.h"

#include <cerrno>
#include <cstring>

#include "platform/StopSignals.h"
#include "platform/SystemError.h"

namespace linkloom::platform {

String SystemReason(int code) { return String::FromUtf8(std::strerror(code)); }

String Describe(const SystemError& error) {
    return error.code == 0 ? error.words : SystemReason(static_cast<int>(error.code));
}

SystemError LastFailure(const String& path, Action action) {
    return SystemFailure(static_cast<std::uint32_t>(errno), path, action);
}

bool ShouldRetry(int code) { return code == EINTR && !EndsWithoutWriting(PendingStop()); }

}  // namespace linkloom::platform
