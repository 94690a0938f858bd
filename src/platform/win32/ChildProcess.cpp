#include "platform/ChildProcess.h"

#include <windows.h>

#include <algorithm>

#include "base/AsciiCharacters.h"
#include "platform/win32/Handle.h"
#include "platform/win32/SystemError.h"

namespace linkloom::platform {

namespace {

HANDLE AsHandle(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

void CloseOwned(std::intptr_t& handle) {
    if (handle != -1) CloseHandle(AsHandle(handle));
    handle = -1;
}

// A folder named from the root of a drive or a share; any other is relative to the current folder.
bool IsAbsoluteFolder(const std::u16string& folder) {
    const auto separator = [](char16_t unit) { return unit == u'\\' || unit == u'/'; };
    if (folder.size() >= 2 && separator(folder[0]) && separator(folder[1])) return true;
    return folder.size() >= 3 && IsAsciiLetter(folder[0]) && folder[1] == u':' && separator(folder[2]);
}

// The program's file in an absolute folder of the PATH; empty when none holds it. Never the
// current folder, where anyone may have left a program of that name.
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
        if (folder.size() >= 2 && folder.front() == u'"' && folder.back() == u'"')
            folder = folder.substr(1, folder.size() - 2);
        if (!IsAbsoluteFolder(folder)) continue;
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

// This process's environment less the variables whose names begin with `dropPrefix`, in any
// case, plus `added`: each "NAME=value" ending in a zero, and one more zero at the end.
std::u16string EnvironmentBlock(const ChildEnvironment& environment) {
    const std::u16string drop = AsciiLowered(environment.dropPrefix.Text());
    std::u16string block;
    wchar_t* const strings = GetEnvironmentStringsW();
    for (const wchar_t* variable = strings; strings && *variable; variable += wcslen(variable) + 1) {
        const std::u16string text(reinterpret_cast<const char16_t*>(variable));
        if (drop.empty() || AsciiLowered(std::u16string_view(text).substr(0, drop.size())) != drop) {
            block += text;
            block += u'\0';
        }
    }
    if (strings) FreeEnvironmentStringsW(strings);
    for (const String& added : environment.added) {
        block += added.Text();
        block += u'\0';
    }
    block += u'\0';
    return block;
}

// A job that ends every process in it when its last handle closes.
HANDLE MakeJob() {
    const HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (!job) return nullptr;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return job;
}

// A pipe whose reading end stays with this process and whose writing end the program inherits.
bool MakePipe(FileHandle& read, FileHandle& write) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    // Room for a whole read, so that a busy program rarely waits on this process.
    constexpr DWORD kPipeSize = 1 << 16;
    if (!CreatePipe(&readEnd, &writeEnd, &inherited, kPipeSize)) return false;
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
    CloseOwned(job_);
}

void ChildProcess::Close() {
    CloseOwned(output_);
    CloseOwned(error_);
}

std::optional<SystemError> ChildProcess::Start(const String& program, const std::vector<String>& arguments,
                                               const ChildEnvironment& environment) {
    const String file = FindOnPath(program);
    if (file.IsEmpty()) return ProgramNotFound(program);
    std::u16string line;
    AppendArgument(line, file);
    for (const String& argument : arguments) AppendArgument(line, argument);

    FileHandle outputRead, outputWrite, errorRead, errorWrite;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    FileHandle input(
        CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0, nullptr));
    if (!input.IsValid() || !MakePipe(outputRead, outputWrite) || !MakePipe(errorRead, errorWrite)) {
        return LastFailure(program, Action::Start);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.Get();
    startup.hStdOutput = outputWrite.Get();
    startup.hStdError = errorWrite.Get();
    std::u16string variables = EnvironmentBlock(environment);
    FileHandle job(MakeJob());
    PROCESS_INFORMATION started{};
    // Started suspended, so that whatever it starts is in the job from the first instruction.
    if (!CreateProcessW(file.Wide(), reinterpret_cast<wchar_t*>(line.data()), nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW | CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT, variables.data(), nullptr,
                        &startup, &started)) {
        return LastFailure(program, Action::Start);
    }
    if (job.IsValid() && AssignProcessToJobObject(job.Get(), started.hProcess)) {
        job_ = reinterpret_cast<std::intptr_t>(job.Release());
    }
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);
    process_ = reinterpret_cast<std::intptr_t>(started.hProcess);
    output_ = reinterpret_cast<std::intptr_t>(outputRead.Get());
    error_ = reinterpret_cast<std::intptr_t>(errorRead.Get());
    // The handles are the object's now; the writing ends close here, so the pipes end with the program.
    outputRead.Release();
    errorRead.Release();
    ended_ = waited_ = false;
    return std::nullopt;
}

ChildProcess::ReadResult ChildProcess::ReadPipe(std::intptr_t& pipe, char* buffer, std::size_t size, std::size_t& got) {
    got = 0;
    if (pipe == kNone) return ReadResult::Ended;
    // An anonymous pipe cannot be read with a time limit: only what it holds already is read.
    DWORD waiting = 0, read = 0;
    if (PeekNamedPipe(AsHandle(pipe), nullptr, 0, nullptr, &waiting, nullptr)) {
        if (waiting == 0) return ReadResult::Nothing;
        if (ReadFile(AsHandle(pipe), buffer,
                     std::min<DWORD>(waiting, static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD))), &read,
                     nullptr)) {
            got = read;
            return ReadResult::Data;
        }
    }
    // The program has closed its end: the end of what it writes.
    if (GetLastError() != ERROR_BROKEN_PIPE) return ReadResult::Failed;
    CloseOwned(pipe);
    return ReadResult::Ended;
}

ChildProcess::ReadResult ChildProcess::ReadOutput(char* buffer, std::size_t size, std::size_t& got) {
    return ReadPipe(output_, buffer, size, got);
}

ChildProcess::ReadResult ChildProcess::ReadError(char* buffer, std::size_t size, std::size_t& got) {
    return ReadPipe(error_, buffer, size, got);
}

void ChildProcess::Await(int milliseconds) {
    if (process_ != kNone) WaitForSingleObject(AsHandle(process_), static_cast<DWORD>(milliseconds));
}

bool ChildProcess::Ended() {
    if (!ended_ && process_ != kNone) ended_ = WaitForSingleObject(AsHandle(process_), 0) == WAIT_OBJECT_0;
    return ended_ || process_ == kNone;
}

void ChildProcess::Kill() {
    if (process_ == kNone || waited_) return;
    if (job_ != kNone) TerminateJobObject(AsHandle(job_), 1);
    if (!Ended()) TerminateProcess(AsHandle(process_), 1);
}

int ChildProcess::Wait() {
    if (process_ == kNone || waited_) return status_;
    DWORD code = 0;
    if (WaitForSingleObject(AsHandle(process_), INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(AsHandle(process_), &code)) {
        return status_;
    }
    waited_ = ended_ = true;
    status_ = static_cast<int>(code);
    Close();
    return status_;
}

}  // namespace linkloom::platform
