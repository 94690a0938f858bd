#include "app/ModuleState.h"

#include <algorithm>

namespace linkloom {

HINSTANCE ModuleState::instance_ = nullptr;
HINSTANCE ModuleState::resourceModule_ = nullptr;
DWORD ModuleState::mainThreadId_ = 0;
std::vector<std::pair<DWORD, MessageLoop*>> ModuleState::loops_;
std::mutex ModuleState::pendingLock_;
std::vector<ModuleState::Pending> ModuleState::pending_;

void ModuleState::Initialize(HINSTANCE instance) {
    instance_ = resourceModule_ = instance;
    mainThreadId_ = GetCurrentThreadId();
}

void ModuleState::Terminate() { loops_.clear(); }

void ModuleState::RegisterLoop(MessageLoop* loop) { loops_.emplace_back(GetCurrentThreadId(), loop); }

void ModuleState::UnregisterLoop() {
    const DWORD thread = GetCurrentThreadId();
    const auto found =
        std::find_if(loops_.begin(), loops_.end(), [&](const auto& entry) { return entry.first == thread; });
    if (found != loops_.end()) loops_.erase(found);
}

MessageLoop* ModuleState::FindLoop(DWORD threadId) {
    for (const auto& [thread, loop] : loops_) {
        if (thread == threadId) return loop;
    }
    return nullptr;
}

void ModuleState::PushPendingWindow(DialogWindow* window) {
    std::lock_guard<std::mutex> lock(pendingLock_);
    pending_.insert(pending_.begin(), Pending{window, GetCurrentThreadId()});
}

DialogWindow* ModuleState::TakePendingWindow() {
    std::lock_guard<std::mutex> lock(pendingLock_);
    const DWORD thread = GetCurrentThreadId();
    const auto found =
        std::find_if(pending_.begin(), pending_.end(), [&](const Pending& p) { return p.threadId == thread; });
    if (found == pending_.end()) return nullptr;
    DialogWindow* window = found->window;
    pending_.erase(found);
    return window;
}

}  // namespace linkloom
