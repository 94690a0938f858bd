#include "platform/Environment.h"

#include <cstdlib>

namespace linkloom::platform {

std::optional<String> EnvironmentVariable(const String& name) {
    const char* value = std::getenv(name.ToNativeBytes().c_str());
    if (!value) return std::nullopt;
    return String::FromUtf8(value);
}

}  // namespace linkloom::platform
