#include "app/MessageLoop.h"

#include <algorithm>

namespace linkloom {

namespace {

template <typename T>
void RemoveFirst(std::vector<T*>& list, T* item) {
    const auto found = std::find(list.begin(), list.end(), item);
    if (found != list.end()) list.erase(found);
}

}  // namespace

void MessageLoop::RegisterFilter(MessageFilter* filter) { filters_.push_back(filter); }
void MessageLoop::UnregisterFilter(MessageFilter* filter) { RemoveFirst(filters_, filter); }

int MessageLoop::Run(bool pumpOnly) {
    for (;;) {
        MSG peeked;
        if (pumpOnly && !PeekMessageW(&peeked, nullptr, 0, 0, PM_NOREMOVE)) return 0;
        const BOOL got = GetMessageW(&message_, nullptr, 0, 0);
        if (got == -1) continue;
        if (got == 0) {
            if (!pumpOnly) return static_cast<int>(message_.wParam);
            PostQuitMessage(static_cast<int>(message_.wParam));
            return 1;
        }
        if (message_.hwnd) {
            if (pumpOnly && message_.message == WM_KEYDOWN && message_.wParam == VK_ESCAPE) return 1;
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
