#pragma once

#include <cstdint>

#include "base/String.h"

namespace linkloom::platform {

// Why the system refused something: its own error code (errno, or GetLastError on Windows).
struct SystemError {
    std::uint32_t code = 0;
};

// The system's words for the error, without a final full stop.
String Describe(SystemError error);

}  // namespace linkloom::platform
