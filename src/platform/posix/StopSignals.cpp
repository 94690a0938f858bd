#include "platform/StopSignals.h"

#include <signal.h>

#include <initializer_list>

namespace linkloom::platform {

namespace {

void OnSignal(int number) {
    RecordStop(number == SIGINT   ? StopRequest::Interrupt
               : number == SIGHUP ? StopRequest::Hangup
                                  : StopRequest::Terminate);
}

}  // namespace

void InstallStopHandlers() {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a call that blocks (opening a FIFO nobody reads) returns, and its caller
    // looks at the request.
    for (const int number : {SIGINT, SIGHUP, SIGTERM}) sigaction(number, &action, nullptr);
}

}  // namespace linkloom::platform
