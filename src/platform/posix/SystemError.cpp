#include "platform/SystemError.h"

#include <cstring>

namespace linkloom::platform {

String Describe(SystemError error) { return String::FromUtf8(std::strerror(static_cast<int>(error.code))); }

}  // namespace linkloom::platform
