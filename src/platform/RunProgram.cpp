#include "platform/RunProgram.h"

#include <algorithm>
#include <thread>

#include "platform/ChildProcess.h"

namespace linkloom::platform {

namespace {

// Enough of a program's complaint to say what went wrong.
constexpr std::size_t kMostErrorText = 4096;
constexpr std::size_t kReadSize = 1 << 16;

}  // namespace

ProgramRun RunProgram(const String& program, const std::vector<String>& arguments, const ProgramOutput& output) {
    ProgramRun run;
    ChildProcess child;
    switch (child.Start(program, arguments, run.error)) {
    case ChildProcess::StartResult::Started: break;
    case ChildProcess::StartResult::NotFound: run.outcome = ProgramRun::Outcome::NotFound; return run;
    case ChildProcess::StartResult::Failed: return run;
    }
    // Standard error is drained beside standard output: a program that fills one pipe while
    // this process waits on the other would wait for ever.
    std::thread drain([&child, &run] {
        std::string& text = run.errorText;
        std::vector<char> buffer(4096);
        std::size_t got = 0;
        while (child.ReadError(buffer.data(), buffer.size(), got) && got > 0) {
            text.append(buffer.data(), std::min(got, kMostErrorText - std::min(kMostErrorText, text.size())));
        }
    });
    std::vector<char> buffer(kReadSize);
    std::size_t got = 0;
    bool whole = false;
    while (child.ReadOutput(buffer.data(), buffer.size(), got)) {
        if (got == 0) {
            whole = true;
            break;
        }
        if (!output(std::string_view(buffer.data(), got))) break;
    }
    if (!whole) child.Kill();
    drain.join();
    run.status = child.Wait();
    run.outcome = ProgramRun::Outcome::Exited;
    return run;
}

}  // namespace linkloom::platform
