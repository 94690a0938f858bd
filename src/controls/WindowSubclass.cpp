#include "controls/WindowSubclass.h"

#include <commctrl.h>

namespace linkloom {

bool WindowSubclass::Subclass(HWND window) {
    if (window_ || !IsWindow(window)) return false;
    if (!SetWindowSubclass(window, Procedure, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    window_ = window;
    return true;
}

void WindowSubclass::Unsubclass() {
    if (!window_) return;
    RemoveWindowSubclass(window_, Procedure, reinterpret_cast<UINT_PTR>(this));
    window_ = nullptr;
}

LRESULT WindowSubclass::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(window_, message, wParam, lParam);
}

LRESULT CALLBACK WindowSubclass::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR object) {
    auto* self = reinterpret_cast<WindowSubclass*>(object);
    if (message == WM_NCDESTROY) {
        self->Unsubclass();
        return DefSubclassProc(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    return self->HandleMessage(message, wParam, lParam, result) ? result : self->Default(message, wParam, lParam);
}

}  // namespace linkloom
