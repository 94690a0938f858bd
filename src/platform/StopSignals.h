#pragma once

namespace linkloom::platform {

// Why the program was asked from outside to stop, weakest first. Ctrl+C (SIGINT) interrupts:
// the run stops and keeps what it found. SIGHUP (the console window closed, on Windows) and
// SIGTERM (Ctrl+Break) end the run without writing.
enum class StopRequest { None, Interrupt, Hangup, Terminate };

// From now on the requests above are recorded instead of ending the process.
void InstallStopHandlers();

// The strongest request received so far.
StopRequest PendingStop();
// Records a request as the handlers do; safe inside a signal handler.
void RecordStop(StopRequest request);

inline bool EndsWithoutWriting(StopRequest request) {
    return request == StopRequest::Hangup || request == StopRequest::Terminate;
}

// The exit status that tells a caller how the run was stopped: 128 plus the number of the
// signal (on Windows too, so that scripts read the same numbers).
int StopExitStatus(StopRequest request);

}  // namespace linkloom::platform
