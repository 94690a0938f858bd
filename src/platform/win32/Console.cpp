#include "platform/Console.h"

#include <windows.h>

#include <algorithm>
#include <shellapi.h>

namespace linkloom::platform {

namespace {

std::atomic<bool>* interruptFlag = nullptr;

BOOL WINAPI OnConsoleControl(DWORD event) {
    if ((event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) && interruptFlag) {
        interruptFlag->store(true);
        return TRUE;
    }
    return FALSE;
}

void WriteAll(DWORD which, const std::string& bytes) {
    const HANDLE stream = GetStdHandle(which);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(stream, bytes.data() + done, chunk, &written, nullptr) || written == 0) return;
        done += written;
    }
}

}  // namespace

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

bool StandardErrorIsTerminal() {
    DWORD mode;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

void WriteStandardOutput(const std::string& bytes) { WriteAll(STD_OUTPUT_HANDLE, bytes); }

void WriteStandardError(const std::string& bytes) { WriteAll(STD_ERROR_HANDLE, bytes); }

void InstallInterruptHandler(std::atomic<bool>* flag) {
    interruptFlag = flag;
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

}  // namespace linkloom::platform
