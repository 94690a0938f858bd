#include "platform/StopSignals.h"

#include <atomic>

namespace linkloom::platform {

namespace {

std::atomic<int> pending{static_cast<int>(StopRequest::None)};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only touch a lock-free atomic");

}  // namespace

StopRequest PendingStop() { return static_cast<StopRequest>(pending.load()); }

void RecordStop(StopRequest request) {
    int seen = pending.load();
    while (static_cast<int>(request) > seen && !pending.compare_exchange_weak(seen, static_cast<int>(request))) {
    }
}

int StopExitStatus(StopRequest request) {
    constexpr int kSignalled = 128, kHangup = 1, kInterrupt = 2, kTerminate = 15;
    switch (request) {
    case StopRequest::None: break;
    case StopRequest::Interrupt: return kSignalled + kInterrupt;
    case StopRequest::Hangup: return kSignalled + kHangup;
    case StopRequest::Terminate: return kSignalled + kTerminate;
    }
    return 0;
}

}  // namespace linkloom::platform
