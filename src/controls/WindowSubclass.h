#pragma once

#include <windows.h>

namespace linkloom {

// Binds an object to an existing window through the common controls' subclass chain, so that
// several subclasses of one window can come and go in any order. The window's last message
// (WM_NCDESTROY) removes the subclass before it goes on.
class WindowSubclass {
public:
    WindowSubclass() = default;
    virtual ~WindowSubclass() { Unsubclass(); }
    WindowSubclass(const WindowSubclass&) = delete;
    WindowSubclass& operator=(const WindowSubclass&) = delete;

    // False when `window` is not a window or this object is subclassing one already.
    bool Subclass(HWND window);
    void Unsubclass();
    HWND Subclassed() const { return window_; }

protected:
    // True when the message was consumed; `result` is then its result.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    // The window's previous handling of a message.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR object);

    HWND window_ = nullptr;
};

}  // namespace linkloom
