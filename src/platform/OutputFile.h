#pragma once

#include <string>

#include "base/String.h"

namespace linkloom::platform {

// Writes `bytes` to a new file beside `path`, then renames it over `path`, so that a reader sees
// either the old file whole or the new one whole. On failure nothing is left behind and
// `error` holds the system's reason.
bool WriteFileReplacing(const String& path, const std::string& bytes, String& error);

}  // namespace linkloom::platform
