#pragma once

#include <string>

#include "base/String.h"

namespace linkloom::cli {

// Puts `bytes` at `path` in one step: a file is replaced whole (a link at `path` is followed), a
// FIFO or device is written into. False with `error` set when it could not be written.
bool WriteWholeFile(const String& path, const std::string& bytes, String& error);

}  // namespace linkloom::cli
