#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/String.h"
#include "platform/SystemError.h"

namespace linkloom::platform {

// A program run with its standard input empty and its standard output and standard error on
// pipes that this process reads. Ended and waited for, at the latest, with the object.
class ChildProcess {
public:
    enum class StartResult { Started, NotFound, Failed };

    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `program`, found on the PATH, with `arguments`. Failed with `error` set when it is
    // there but cannot be started.
    StartResult Start(const String& program, const std::vector<String>& arguments, SystemError& error);
    // Reads what the program has written so far, at most `size` bytes, waiting for at least one;
    // `got` is 0 at the end. False when the pipe cannot be read.
    bool ReadOutput(char* buffer, std::size_t size, std::size_t& got);
    bool ReadError(char* buffer, std::size_t size, std::size_t& got);
    // Ends the program at once.
    void Kill();
    // Waits for the program to end: its exit status, or -1 when something else ended it.
    int Wait();

private:
    static constexpr std::intptr_t kNone = -1;
    bool ReadPipe(std::intptr_t pipe, char* buffer, std::size_t size, std::size_t& got);
    void Close();

    std::intptr_t process_ = kNone;  // a process id on POSIX, a process handle on Windows
    std::intptr_t output_ = kNone;
    std::intptr_t error_ = kNone;
    bool waited_ = false;
    int status_ = -1;
};

}  // namespace linkloom::platform
