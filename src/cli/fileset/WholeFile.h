#pragma once

#include <optional>
#include <string>

#include "base/String.h"
#include "platform/SystemError.h"

namespace linkloom::cli {

// Puts `bytes` at `path` in one step: a file is replaced whole (a link at `path` is followed), a
// FIFO or device is written into.
std::optional<platform::SystemError> WriteWholeFile(const String& path, const std::string& bytes);

}  // namespace linkloom::cli
