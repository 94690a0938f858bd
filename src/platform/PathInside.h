#pragma once

#include <optional>

#include "base/String.h"

namespace linkloom::platform {

// The path of `path` relative to the folder `folder`, '/' between names, when it lies inside it
// (its folder's links followed on POSIX; names compared as the system compares them); nothing
// otherwise, or when either cannot be resolved. `path` itself need not exist yet.
std::optional<String> PathInside(const String& folder, const String& path);

}  // namespace linkloom::platform
