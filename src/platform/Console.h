#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/String.h"
#include "platform/SystemError.h"

namespace linkloom::platform {

// The program's arguments as text, without the program name.
std::vector<String> ProgramArguments(int argc, char** argv);

// Opens the null device on each of the standard descriptors 0, 1 and 2 that is closed, so that
// no file the program opens takes one of their numbers; a descriptor opened so for output
// refuses writes, as the closed one did. Writing into a pipe whose reader has gone fails from
// then on, as any failed write does. False when the null device cannot be opened.
bool ProtectStandardStreams();

bool StandardErrorIsTerminal();

// Write bytes unchanged (no newline translation). Standard output reports a failed write;
// standard error has nowhere to report one.
std::optional<SystemError> WriteStandardOutput(const std::string& bytes);
void WriteStandardError(const std::string& bytes);

}  // namespace linkloom::platform
