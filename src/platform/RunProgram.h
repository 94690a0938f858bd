#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/String.h"
#include "platform/ChildProcess.h"
#include "platform/SystemError.h"

namespace linkloom::platform {

// What became of a program that RunProgram ran.
struct ProgramRun {
    enum class Outcome { Exited, NotFound, Failed, Stopped };
    Outcome outcome = Outcome::Failed;
    int status = -1;        // the exit status; -1 when it did not end by itself
    SystemError error;      // why it could not be started
    std::string errorText;  // the beginning of what it wrote on standard error
};

// Receives a program's standard output as it comes; false stops the program.
using ProgramOutput = std::function<bool(std::string_view bytes)>;
// Asked every few milliseconds while the program runs; true ends it at once (Outcome::Stopped).
using ProgramStop = std::function<bool()>;

// Runs `program`, found on the PATH as ChildProcess finds it, with `arguments` and waits for it
// to end. Its standard output goes to `output` as it comes; of its standard error the first few
// kilobytes are kept. Once the program has ended, what it left running is ended too: a pipe it
// handed on is never waited on.
ProgramRun RunProgram(const String& program, const std::vector<String>& arguments, const ProgramOutput& output,
                      const ChildEnvironment& environment = {}, const ProgramStop& stop = {});

}  // namespace linkloom::platform
