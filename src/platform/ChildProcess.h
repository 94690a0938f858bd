#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/String.h"
#include "platform/SystemError.h"

namespace linkloom::platform {

// The environment a program starts with: this process's own, less each variable whose name
// begins with `dropPrefix` (in any case on Windows, where names are), plus `added` ("NAME=value").
struct ChildEnvironment {
    String dropPrefix;
    std::vector<String> added;
};

// A program run with its standard input empty and its standard output and standard error on
// pipes that this process reads without blocking. The program and whatever it starts are ended
// together, and waited for at the latest with the object.
class ChildProcess {
public:
    enum class ReadResult { Data, Nothing, Ended, Failed };

    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `program`, found in the absolute folders of the PATH only (never the current one),
    // with `arguments`. Fails as Kind::NotFound when no such program is there.
    std::optional<SystemError> Start(const String& program, const std::vector<String>& arguments,
                                     const ChildEnvironment& environment);
    // Reads what has arrived so far, at most `size` bytes, without waiting.
    ReadResult ReadOutput(char* buffer, std::size_t size, std::size_t& got);
    ReadResult ReadError(char* buffer, std::size_t size, std::size_t& got);
    // Waits up to `milliseconds` for something to read or for the program to end.
    void Await(int milliseconds);
    // True once the program itself has ended; what it wrote may still wait in the pipes.
    bool Ended();
    // Ends the program and every program it started, at once.
    void Kill();
    // Waits for the program to end: its exit status, or -1 when something else ended it.
    int Wait();

private:
    static constexpr std::intptr_t kNone = -1;
    ReadResult ReadPipe(std::intptr_t& pipe, char* buffer, std::size_t size, std::size_t& got);
    void Close();

    std::intptr_t process_ = kNone;  // a process id on POSIX, a process handle on Windows
#ifdef _WIN32
    std::intptr_t job_ = kNone;  // the job object that holds the program and what it starts
#endif
    std::intptr_t output_ = kNone;
    std::intptr_t error_ = kNone;
    bool ended_ = false;
    bool waited_ = false;
    int status_ = -1;
};

}  // namespace linkloom::platform
