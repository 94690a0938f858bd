#pragma once

#include "base/String.h"

namespace linkloom {

// Facts about the running program, computed on first use and kept for the life of the process.
class AppInfo {
public:
    // The executable's full path as GetModuleFileNameW gives it.
    static const String& ProgramPath();
    // The path up to and including its last backslash; empty when it has none.
    static const String& ProgramFolder();
};

}  // namespace linkloom
