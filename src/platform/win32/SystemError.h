#pragma once

#include <windows.h>

#include "base/String.h"

namespace linkloom::platform {

// The system's sentence for a GetLastError value, without its final full stop and line break.
String SystemReason(DWORD code);

}  // namespace linkloom::platform
