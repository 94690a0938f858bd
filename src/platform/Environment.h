#pragma once

#include <optional>

#include "base/String.h"

namespace linkloom::platform {

// The value of the environment variable `name`; nothing when it is not set.
std::optional<String> EnvironmentVariable(const String& name);

}  // namespace linkloom::platform
