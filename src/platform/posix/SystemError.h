#pragma once

#include "base/String.h"

namespace linkloom::platform {

// The system's sentence for an errno value.
String SystemReason(int code);

// True for a call cut short by a signal that does not end the run: it is made again.
bool ShouldRetry(int code);

}  // namespace linkloom::platform
