#pragma once

#include <windows.h>

#include "base/String.h"

namespace linkloom {

// Facts about the running program, computed on first use and kept for the life of the process.
class AppInfo {
public:
    // The executable's full path as GetModuleFileNameW gives it.
    static const String& ProgramPath();
    // The path up to and including its last backslash; empty when it has none.
    static const String& ProgramFolder();

    // Reads the operating system's version, once, at start-up.
    static void ReadOsVersion();
    // The version read at start-up; its size field is 0 before that or when the reading failed.
    static const OSVERSIONINFOA& OsVersion() { return osVersion_; }

private:
    static OSVERSIONINFOA osVersion_;
};

}  // namespace linkloom
