#include "platform/ChildProcess.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/Handle.h"

namespace linkloom::platform {

namespace {

HANDLE AsHandle(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

void CloseOwned(std::intptr_t& handle) {
    if (handle != -1) CloseHandle(AsHandle(handle));
    handle = -1;
}

// The program's file in a folder of the PATH; empty when no folder holds it. Only the PATH is
// searched, never the current folder, where anyone may have left a program of that name.
String FindOnPath(const String& program) {
    const DWORD needed = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    if (needed == 0) return String();
    std::u16string path(needed, u'\0');
    path.resize(GetEnvironmentVariableW(L"PATH", reinterpret_cast<wchar_t*>(path.data()), needed));
    const String file = program + u".exe";
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find(u';', start);
        if (end == std::u16string::npos) end = path.size();
        std::u16string folder = path.substr(start, end - start);
        start = end + 1;
        if (folder.size() >= 2 && folder.front() == u'"' && folder.back() == u'"') folder = folder.substr(1, folder.size() - 2);
        if (folder.empty()) continue;
        if (folder.back() != u'\\' && folder.back() != u'/') folder += u'\\';
        const String candidate = String(folder) + file;
        const DWORD attributes = GetFileAttributesW(candidate.Wide());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return candidate;
    }
    return String();
}

// One argument as the C runtime of the started program splits its command line: quoted when it
// holds a blank, a tab or a quote, or is empty; backslashes doubled before a quote.
void AppendArgument(std::u16string& line, const String& argument) {
    const std::u16string& text = argument.Text();
    if (!line.empty()) line += u' ';
    if (!text.empty() && text.find_first_of(u" \t\n\v\"") == std::u16string::npos) {
        line += text;
        return;
    }
    line += u'"';
    std::size_t backslashes = 0;
    for (const char16_t unit : text) {
        if (unit == u'\\') {
            ++backslashes;
            continue;
        }
        line.append(unit == u'"' ? backslashes * 2 + 1 : backslashes, u'\\');
        backslashes = 0;
        line += unit;
    }
    line.append(backslashes * 2, u'\\');
    line += u'"';
}

// A pipe whose reading end stays with this process and whose writing end the program inherits.
bool MakePipe(FileHandle& read, FileHandle& write) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherited, 0)) return false;
    read.Reset(readEnd);
    write.Reset(writeEnd);
    return SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0) != 0;
}

}  // namespace

ChildProcess::~ChildProcess() {
    if (process_ != kNone && !waited_) {
        Kill();
        Wait();
    }
    Close();
    CloseOwned(process_);
}

void ChildProcess::Close() {
    CloseOwned(output_);
    CloseOwned(error_);
}

ChildProcess::StartResult ChildProcess::Start(const String& program, const std::vector<String>& arguments,
                                              SystemError& error) {
    const String file = FindOnPath(program);
    if (file.IsEmpty()) return StartResult::NotFound;
    std::u16string line;
    AppendArgument(line, file);
    for (const String& argument : arguments) AppendArgument(line, argument);

    FileHandle outputRead, outputWrite, errorRead, errorWrite;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    FileHandle input(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING,
                                 0, nullptr));
    if (!input.IsValid() || !MakePipe(outputRead, outputWrite) || !MakePipe(errorRead, errorWrite)) {
        error.code = GetLastError();
        return StartResult::Failed;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.Get();
    startup.hStdOutput = outputWrite.Get();
    startup.hStdError = errorWrite.Get();
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(file.Wide(), reinterpret_cast<wchar_t*>(line.data()), nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &started)) {
        error.code = GetLastError();
        return StartResult::Failed;
    }
    CloseHandle(started.hThread);
    process_ = reinterpret_cast<std::intptr_t>(started.hProcess);
    output_ = reinterpret_cast<std::intptr_t>(outputRead.Get());
    error_ = reinterpret_cast<std::intptr_t>(errorRead.Get());
    // The handles are the object's now; the writing ends close here, so the pipes end with the program.
    outputRead.Release();
    errorRead.Release();
    waited_ = false;
    return StartResult::Started;
}

bool ChildProcess::ReadPipe(std::intptr_t pipe, char* buffer, std::size_t size, std::size_t& got) {
    got = 0;
    DWORD read = 0;
    if (ReadFile(AsHandle(pipe), buffer, static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD)), &read, nullptr)) {
        got = read;
        return true;
    }
    // The program has closed its end: the end of what it writes.
    return GetLastError() == ERROR_BROKEN_PIPE;
}

bool ChildProcess::ReadOutput(char* buffer, std::size_t size, std::size_t& got) {
    return ReadPipe(output_, buffer, size, got);
}

bool ChildProcess::ReadError(char* buffer, std::size_t size, std::size_t& got) {
    return ReadPipe(error_, buffer, size, got);
}

void ChildProcess::Kill() {
    if (process_ != kNone && !waited_) TerminateProcess(AsHandle(process_), 1);
}

int ChildProcess::Wait() {
    if (process_ == kNone || waited_) return status_;
    DWORD code = 0;
    if (WaitForSingleObject(AsHandle(process_), INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(AsHandle(process_), &code)) {
        return status_;
    }
    waited_ = true;
    status_ = static_cast<int>(code);
    Close();
    return status_;
}

}  // namespace linkloom::platform
