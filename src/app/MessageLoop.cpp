#include "app/MessageLoop.h"

#include <algorithm>

namespace linkloom {

namespace {

// The system's caret-blink timer message, which windows.h does not name.
constexpr UINT kSystemTimer = 0x118;

template <typename T>
void RemoveFirst(std::vector<T*>& list, T* item) {
    const auto found = std::find(list.begin(), list.end(), item);
    if (found != list.end()) list.erase(found);
}

}  // namespace

void MessageLoop::RegisterFilter(MessageFilter* filter) { filters_.push_back(filter); }
void MessageLoop::UnregisterFilter(MessageFilter* filter) { RemoveFirst(filters_, filter); }
void MessageLoop::RegisterIdleHandler(IdleHandler* handler) { idleHandlers_.push_back(handler); }
void MessageLoop::UnregisterIdleHandler(IdleHandler* handler) { RemoveFirst(idleHandlers_, handler); }

bool MessageLoop::CountsAsActivity(UINT message) {
    switch (message) {
    case WM_PAINT: case WM_ERASEBKGND: case WM_SETCURSOR: case WM_NCHITTEST: case WM_NCPAINT:
    case WM_SYNCPAINT: case WM_NCMOUSEMOVE: case WM_TIMER: case kSystemTimer: case WM_MOUSEMOVE:
        return false;
    default:
        return true;
    }
}

int MessageLoop::Run(bool pumpOnly) {
    bool idlePending = false;
    for (;;) {
        MSG peeked;
        if (!PeekMessageW(&peeked, nullptr, 0, 0, PM_NOREMOVE)) {
            if (idlePending) {
                // A copy, since a handler may register or remove handlers.
                const auto handlers = idleHandlers_;
                for (IdleHandler* handler : handlers) handler->IdleStep();
                idlePending = false;
            }
            if (pumpOnly) return 0;
        }
        const BOOL got = GetMessageW(&message_, nullptr, 0, 0);
        if (got == -1) continue;
        if (got == 0) {
            if (!pumpOnly) return static_cast<int>(message_.wParam);
            PostQuitMessage(static_cast<int>(message_.wParam));
            return 1;
        }
        if (message_.hwnd) {
            if (pumpOnly && message_.message == WM_KEYDOWN && message_.wParam == VK_ESCAPE) return 1;
            if (!idlePending) idlePending = CountsAsActivity(message_.message);
            bool consumed = false;
            // A copy, since a filter may register or remove filters while it runs.
            const auto filters = filters_;
            for (auto filter = filters.rbegin(); filter != filters.rend() && !consumed; ++filter) {
                consumed = (*filter)->FilterMessage(message_) != 0;
            }
            if (consumed) continue;
            TranslateMessage(&message_);
        }
        DispatchMessageW(&message_);
    }
}

}  // namespace linkloom
