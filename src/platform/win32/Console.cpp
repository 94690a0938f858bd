#include "platform/Console.h"

#include <windows.h>

#include <shellapi.h>

namespace linkloom::platform {

std::vector<String> ProgramArguments(int, char**) {
    // The narrow arguments lose what the ANSI code page cannot hold; the wide command line keeps it.
    std::vector<String> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(String::FromWide(wide[i]));
    LocalFree(wide);
    return arguments;
}

// Standard handles are not numbered slots that a file opened later could take.
bool ProtectStandardStreams() { return true; }

bool StandardErrorIsTerminal() {
    DWORD mode;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace linkloom::platform
