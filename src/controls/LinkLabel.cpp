#include "controls/LinkLabel.h"

#include <shellapi.h>

#include "controls/DeviceContext.h"
#include "controls/Fonts.h"
#include "controls/LinkGeometry.h"
#include "controls/WindowText.h"

namespace linkloom {

namespace {

constexpr COLORREF kLinkColour = RGB(0, 0, 255);

ShellExecuteFunction shellExecute = ShellExecuteW;

}  // namespace

ShellExecuteFunction SetShellExecuteFunction(ShellExecuteFunction function) {
    const ShellExecuteFunction previous = shellExecute;
    shellExecute = function;
    return previous;
}

void LinkLabel::Attach() {
    const HWND label = Subclassed();
    const LONG_PTR style = GetWindowLongPtrW(label, GWL_STYLE);
    if (!(style & SS_NOTIFY)) SetWindowLongPtrW(label, GWL_STYLE, style | SS_NOTIFY);
    cursor_ = LoadCursorW(nullptr, IDC_HAND);
    text_ = WindowText(label);
    BuildFont();
}

bool LinkLabel::Open() const {
    const auto result =
        reinterpret_cast<INT_PTR>(shellExecute(nullptr, L"open", address_.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

UINT LinkLabel::Alignment() const { return LinkAlignment(GetWindowLongPtrW(Subclassed(), GWL_STYLE)); }

void LinkLabel::BuildFont() {
    const HWND label = Subclassed();
    linkFont_.Reset(DeriveFont(WindowFont(label), 0, -1, 1));
    RECT client{};
    GetClientRect(label, &client);
    RECT measured = client;
    const WindowDC dc(label);
    const SelectedObject font(dc.Get(), linkFont_.Get());
    DrawTextW(dc.Get(), text_.c_str(), static_cast<int>(text_.size()), &measured,
              DT_CALCRECT | DT_WORDBREAK | Alignment());
    textRect_ = AlignedTextRect(client, measured, Alignment());
}

void LinkLabel::Draw(HDC dc) const {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kLinkColour);
    const SelectedObject font(dc, linkFont_.Get());
    RECT rect = textRect_;
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &rect, DT_WORDBREAK | Alignment());
}

bool LinkLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    const HWND label = Subclassed();
    switch (message) {
    case WM_PAINT:
        if (wParam) {
            Draw(reinterpret_cast<HDC>(wParam));
        } else {
            PAINTSTRUCT paint;
            Draw(BeginPaint(label, &paint));
            EndPaint(label, &paint);
        }
        result = 0;
        return true;
    case WM_ERASEBKGND: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(GetParent(label), WM_CTLCOLORSTATIC, wParam, reinterpret_cast<LPARAM>(label)));
        if (brush) {
            RECT client{};
            GetClientRect(label, &client);
            FillRect(dc, &client, brush);
        }
        result = 1;
        return true;
    }
    case WM_SETTINGCHANGE:
        if (linkFont_.Get()) BuildFont();
        result = 0;
        return true;
    case WM_SETCURSOR:
        if (!cursor_) return false;
        SetCursor(cursor_);
        result = TRUE;
        return true;
    case WM_LBUTTONDOWN:
        Open();
        result = 0;
        return true;
    default: return false;
    }
}

}  // namespace linkloom
