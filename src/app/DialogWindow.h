#pragma once

#include <windows.h>

#include "resources/resource.h"

namespace linkloom {

// A dialog object bound to its window on the window's first message. Derived classes give an
// ordered message map in HandleMessage; what it leaves is reflected to the control concerned
// (as the message + 0x2000) and otherwise gets default dialog processing.
class DialogWindow {
public:
    virtual ~DialogWindow() = default;
    HWND Handle() const { return window_; }

    // Creates the modeless dialog from a template of the resource module; null on failure.
    HWND CreateModeless(HWND owner, UINT templateId);
    INT_PTR RunModal(HWND owner, UINT templateId);

protected:
    // True when the message was handled; `result` is then its result.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

private:
    static INT_PTR CALLBACK StartProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND window_ = nullptr;
};

// The notification that a control gets back when its dialog leaves it unhandled.
constexpr UINT kReflectedOffset = WM_REFLECT_OFFSET;

}  // namespace linkloom
