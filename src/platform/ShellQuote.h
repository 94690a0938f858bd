#pragma once

#include <optional>

#include "base/String.h"

namespace linkloom::platform {

// `text` as one word for the shell a user of this system types commands into, to be pasted as
// it is: single quotes on POSIX (each quote inside written '\''); on Windows double quotes, which
// a name there cannot hold, with backslashes at the end doubled. Nothing when no quoting keeps the shell from expanding
// part of it (on Windows, where cmd expands % and PowerShell $ and ` even between double quotes).
std::optional<String> ShellQuoted(const String& text);

}  // namespace linkloom::platform
