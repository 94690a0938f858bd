#include "app/DialogWindow.h"

#include "app/ModuleState.h"

namespace linkloom {

namespace {

// Messages whose dialog result is the procedure's return value rather than DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON: return true;
    default: return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    }
}

// The control a notification concerns, or null.
HWND ControlOf(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY: return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY) return reinterpret_cast<HWND>(lParam);
        return GetDlgItem(dialog, HIWORD(wParam));
    case WM_DRAWITEM: return wParam ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_MEASUREITEM:
        return wParam ? GetDlgItem(dialog, reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlID) : nullptr;
    case WM_COMPAREITEM: return wParam ? reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_DELETEITEM: return wParam ? reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL: return reinterpret_cast<HWND>(lParam);
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) return reinterpret_cast<HWND>(lParam);
        return nullptr;
    }
}

}  // namespace

HWND DialogWindow::CreateModeless(HWND owner, UINT templateId) {
    ModuleState::PushPendingWindow(this);
    const HWND created =
        CreateDialogParamW(ModuleState::ResourceModule(), MAKEINTRESOURCEW(templateId), owner, StartProcedure, 0);
    if (!created) ModuleState::TakePendingWindow();
    return created;
}

INT_PTR DialogWindow::RunModal(HWND owner, UINT templateId) {
    ModuleState::PushPendingWindow(this);
    const INT_PTR result =
        DialogBoxParamW(ModuleState::ResourceModule(), MAKEINTRESOURCEW(templateId), owner, StartProcedure, 0);
    if (result == -1 && !window_) ModuleState::TakePendingWindow();
    return result;
}

INT_PTR CALLBACK DialogWindow::StartProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogWindow* object = ModuleState::TakePendingWindow();
    if (!object) return FALSE;
    object->window_ = window;
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(object));
    SetWindowLongPtrW(window, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(ObjectProcedure));
    return object->Dispatch(message, wParam, lParam);
}

INT_PTR CALLBACK DialogWindow::ObjectProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* object = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    return object ? object->Dispatch(message, wParam, lParam) : FALSE;
}

INT_PTR DialogWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_;
    LRESULT result = 0;
    const bool handled = HandleMessage(message, wParam, lParam, result) || Reflect(message, wParam, lParam, result);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        window_ = nullptr;
    }
    if (!handled) return FALSE;
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

bool DialogWindow::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const HWND control = ControlOf(window_, message, wParam, lParam);
    if (!control) return false;
    result = SendMessageW(control, message + kReflectedOffset, wParam, lParam);
    return true;
}

}  // namespace linkloom
