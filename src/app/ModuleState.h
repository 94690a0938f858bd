#pragma once

#include <windows.h>

#include <mutex>
#include <vector>

namespace linkloom {

class MessageLoop;
class DialogWindow;

// The process-wide record: module handles, the main thread, each thread's message loop, and the
// window objects waiting for their first message.
class ModuleState {
public:
    static void Initialize(HINSTANCE instance);
    static void Terminate();

    static HINSTANCE Instance() { return instance_; }
    static HINSTANCE ResourceModule() { return resourceModule_; }
    static DWORD MainThreadId() { return mainThreadId_; }

    static void RegisterLoop(MessageLoop* loop);
    static void UnregisterLoop();
    static MessageLoop* FindLoop(DWORD threadId);
    static MessageLoop* CurrentLoop() { return FindLoop(GetCurrentThreadId()); }

    // A window object about to be created on this thread; its first message takes it back.
    static void PushPendingWindow(DialogWindow* window);
    static DialogWindow* TakePendingWindow();

private:
    struct Pending {
        DialogWindow* window;
        DWORD threadId;
    };
    static HINSTANCE instance_;
    static HINSTANCE resourceModule_;
    static DWORD mainThreadId_;
    static std::vector<std::pair<DWORD, MessageLoop*>> loops_;
    static std::mutex pendingLock_;
    static std::vector<Pending> pending_;
};

}  // namespace linkloom
