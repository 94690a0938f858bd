#pragma once

#include <windows.h>

#include "base/String.h"
#include "platform/SystemError.h"

namespace linkloom::platform {

// The system's sentence for a GetLastError value, without its final full stop and line break.
String SystemReason(DWORD code);

// The failure GetLastError reports now.
SystemError LastFailure(const String& path, Action action);

}  // namespace linkloom::platform
