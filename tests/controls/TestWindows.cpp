#include "TestWindows.h"

namespace linkloom::test {

namespace {

constexpr wchar_t kClass[] = L"LinkloomTestHost";
constexpr UINT kEditId = 1005;

}  // namespace

HostWindow::HostWindow() {
    static const ATOM registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClass;
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        return RegisterClassW(&windowClass);
    }();
    (void)registered;
    window_ = CreateWindowExW(0, kClass, L"host", WS_POPUP | WS_VISIBLE, 100, 100, 400, 200, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 10,
                            300, 24, window_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditId)),
                            GetModuleHandleW(nullptr), nullptr);
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

HostWindow::~HostWindow() { DestroyWindow(window_); }

LRESULT CALLBACK HostWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* host = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (host && message == WM_COMMAND) host->commands_.push_back(LOWORD(wParam));
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace linkloom::test
