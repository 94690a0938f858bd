#pragma once

#include <windows.h>

#include <vector>

namespace linkloom {

class MessageFilter {
public:
    virtual ~MessageFilter() = default;
    // Non-zero when the message was consumed.
    virtual BOOL FilterMessage(MSG& message) = 0;
};

// The thread's message loop. In pump mode it handles what is pending and returns at once: the
// folder walk and the pause loop call it to keep the windows alive without a worker thread.
class MessageLoop {
public:
    void RegisterFilter(MessageFilter* filter);
    void UnregisterFilter(MessageFilter* filter);

    // Pump mode returns 1 when Escape was swallowed or a quit is pending (re-posted for the
    // outer loop), else 0; the full loop returns the quit code.
    int Run(bool pumpOnly);

private:
    std::vector<MessageFilter*> filters_;
    MSG message_{};
};

}  // namespace linkloom
