#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "base/String.h"

namespace linkloom::platform {

// The program's arguments as text, without the program name.
std::vector<String> ProgramArguments(int argc, char** argv);

bool StandardErrorIsTerminal();

// Writes bytes unchanged (no newline translation).
void WriteStandardOutput(const std::string& bytes);
void WriteStandardError(const std::string& bytes);

// Ctrl+C (and, on POSIX, SIGTERM) set `flag` instead of ending the process.
void InstallInterruptHandler(std::atomic<bool>* flag);

}  // namespace linkloom::platform
