#include "platform/RunProgram.h"

#include <algorithm>

namespace linkloom::platform {

namespace {

// Enough of a program's complaint to say what went wrong.
constexpr std::size_t kMostErrorText = 4096;
constexpr std::size_t kReadSize = 1 << 16;
// How long a quiet program is left before the stop is asked about again.
constexpr int kPollMilliseconds = 20;

}  // namespace

ProgramRun RunProgram(const String& program, const std::vector<String>& arguments, const ProgramOutput& output,
                      const ChildEnvironment& environment, const ProgramStop& stop) {
    ProgramRun run;
    ChildProcess child;
    if (auto failure = child.Start(program, arguments, environment)) {
        if (failure->kind == SystemError::Kind::NotFound) run.outcome = ProgramRun::Outcome::NotFound;
        run.error = std::move(*failure);
        return run;
    }
    run.outcome = ProgramRun::Outcome::Exited;
    std::vector<char> buffer(kReadSize);
    bool whole = true;
    for (;;) {
        if (stop && stop()) {
            run.outcome = ProgramRun::Outcome::Stopped;
            whole = false;
            break;
        }
        // Looked at before reading: once it has ended, what it wrote is all in the pipes, and
        // whatever it started and left holding them is ended.
        const bool ended = child.Ended();
        if (ended) child.Kill();
        std::size_t got = 0;
        const ChildProcess::ReadResult fromOutput = child.ReadOutput(buffer.data(), buffer.size(), got);
        if (fromOutput == ChildProcess::ReadResult::Failed ||
            (fromOutput == ChildProcess::ReadResult::Data && !output(std::string_view(buffer.data(), got)))) {
            whole = false;
            break;
        }
        bool read = fromOutput == ChildProcess::ReadResult::Data;
        // Standard error is read beside standard output: a program that fills one pipe while this
        // process waits on the other would wait for ever.
        if (child.ReadError(buffer.data(), buffer.size(), got) == ChildProcess::ReadResult::Data) {
            std::string& text = run.errorText;
            text.append(buffer.data(), std::min(got, kMostErrorText - std::min(kMostErrorText, text.size())));
            read = true;
        }
        if (read) continue;
        if (ended) break;
        child.Await(kPollMilliseconds);
    }
    child.Kill();
    run.status = child.Wait();
    if (!whole) run.status = -1;
    return run;
}

}  // namespace linkloom::platform
