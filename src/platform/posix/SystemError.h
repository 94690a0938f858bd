#pragma once

#include "base/String.h"
#include "platform/SystemError.h"

namespace linkloom::platform {

// The system's sentence for an errno value.
String SystemReason(int code);

// The failure errno reports now.
SystemError LastFailure(const String& path, Action action);

// True for a call cut short by a signal that does not end the run: it is made again.
bool ShouldRetry(int code);

}  // namespace linkloom::platform
