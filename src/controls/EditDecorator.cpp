#include "controls/EditDecorator.h"

#include <commctrl.h>

#include "controls/ChildWindows.h"
#include "controls/EditGeometry.h"
#include "controls/Fonts.h"
#include "controls/Icons.h"

namespace linkloom {

namespace {

constexpr int kMaxCaption = 11;
constexpr int kButtonPadding = 8;
constexpr DWORD kIconStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | SS_ICON | SS_REALSIZECONTROL;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

HFONT ItalicCopy(HFONT font) { return DeriveFont(font, 0, 1, -1); }

}  // namespace

EditDecorator::~EditDecorator() {
    // An edit that outlives its decorator must not keep the cue font that goes with it.
    if (edit_ && normalFont_ && WindowFont(edit_) == cueFont_.Get()) {
        SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(normalFont_), TRUE);
    }
}

bool EditDecorator::Attach(HWND edit) {
    if (Subclassed() || !IsWindow(edit)) return false;
    RECT client{};
    GetClientRect(edit, &client);
    const int edge = DecorationIconEdge(GetSystemMetrics(SM_CXSMICON), client.bottom - client.top);
    iconBox_ = DecorationIconBox(client.bottom - client.top, edge);
    savedMargins_ = SendMessageW(edit, EM_GETMARGINS, 0, 0);
    const LONG_PTR style = GetWindowLongPtrW(edit, GWL_STYLE);
    if (!(style & WS_CLIPCHILDREN)) SetWindowLongPtrW(edit, GWL_STYLE, style | WS_CLIPCHILDREN);
    if (!Subclass(edit)) return false;
    edit_ = edit;
    commandTarget_ = GetParent(edit);
    return true;
}

bool EditDecorator::SetIcon(HWND edit, UINT iconId, HINSTANCE resources, HINSTANCE instance) {
    if (!edit_ && !Attach(edit)) return false;
    const int edge = iconBox_.right - iconBox_.left;
    HICON icon = LoadSizedIcon(resources, instance, iconId, edge);
    if (!icon) {
        icon = static_cast<HICON>(
            LoadImageW(nullptr, MAKEINTRESOURCEW(iconId), IMAGE_ICON, edge, edge, LR_SHARED | LR_DEFAULTCOLOR));
    }
    return icon && SetIcon(edit, icon);
}

bool EditDecorator::SetIcon(HWND edit, HICON icon) {
    if (!edit_ && !Attach(edit)) return false;
    if (!icon) return false;
    if (!iconWindow_) {
        iconWindow_ =
            CreateStaticChild(edit_, iconBox_, nullptr, kIconStyle, 0, static_cast<UINT>(GetDlgCtrlID(edit_)));
        if (!iconWindow_) return false;
    }
    SendMessageW(iconWindow_, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    ShowWindow(iconWindow_, SW_SHOWNOACTIVATE);
    iconMargin_ = (iconBox_.right - iconBox_.left) + LOWORD(savedMargins_) + 2;
    SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(iconMargin_, 0));
    icon_ = icon;
    return true;
}

bool EditDecorator::AddButton(HWND edit, UINT commandId, const wchar_t* caption) {
    if (!edit_ && !Attach(edit)) return false;
    RECT client{};
    GetClientRect(edit_, &client);
    const HFONT font = WindowFont(edit_);
    wchar_t text[kMaxCaption + 1];
    lstrcpynW(text, caption ? caption : L"", kMaxCaption + 1);
    const int width = MeasureTextWidth(edit_, text, font) + kButtonPadding;
    button_ = CreateButtonChild(edit_, DecorationButtonRect(client, width), text, kButtonStyle, 0, commandId);
    if (!button_) return false;
    SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    buttonWidth_ = width;
    SendMessageW(edit_, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
    return true;
}

LRESULT EditDecorator::SetCueText(const wchar_t* text, bool italic) {
    if (!edit_) return 0;
    const LRESULT accepted = SendMessageW(edit_, EM_SETCUEBANNER, 0, reinterpret_cast<LPARAM>(text));
    if (!accepted) {
        SetWindowTextW(edit_, text);
        return 0;
    }
    if (italic) {
        if (!cueFont_.Get()) {
            normalFont_ = WindowFont(edit_);
            cueFont_.Reset(ItalicCopy(normalFont_));
        }
        ApplyCueFont(FocusState::Ask);
    }
    return accepted;
}

void EditDecorator::ApplyCueFont(FocusState state) {
    if (state == FocusState::Ask) state = GetFocus() == edit_ ? FocusState::Focused : FocusState::Unfocused;
    HFONT wanted = normalFont_;
    if (state == FocusState::Unfocused && GetWindowTextLengthW(edit_) == 0) wanted = cueFont_.Get();
    if (!wanted || wanted == WindowFont(edit_)) return;
    const LRESULT margins = SendMessageW(edit_, EM_GETMARGINS, 0, 0);
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(wanted), TRUE);
    // A font change resets the margins that the icon and the button need.
    if (iconMargin_ || button_) SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, margins);
}

void EditDecorator::OnFontChanged(HFONT font) {
    if (!normalFont_ || font == cueFont_.Get() || font == normalFont_) return;
    const LRESULT margins = SendMessageW(edit_, EM_GETMARGINS, 0, 0);
    normalFont_ = font;
    cueFont_.Reset(ItalicCopy(font));
    if (icon_ || button_) PostMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, margins);
}

bool EditDecorator::OnButtonCommand(WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const LONG_PTR style = GetWindowLongPtrW(button_, GWL_STYLE);
    if (style & BS_DEFPUSHBUTTON) {
        SetWindowLongPtrW(button_, GWL_STYLE, style & ~static_cast<LONG_PTR>(BS_DEFPUSHBUTTON));
        InvalidateRect(button_, nullptr, TRUE);
    }
    if (commandTarget_ == edit_) return false;
    result = SendMessageW(commandTarget_, WM_COMMAND, wParam, lParam);
    return true;
}

// A themed edit draws its frame through a DC that does not spare its children, and only the
// edit is repainted then (as when it gains or loses the focus): the icon and the button paint
// again after it.
void EditDecorator::RepaintChildren() const {
    if (iconWindow_) InvalidateRect(iconWindow_, nullptr, FALSE);
    if (button_) InvalidateRect(button_, nullptr, FALSE);
}

void EditDecorator::Cleanup() {
    SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, savedMargins_);
    edit_ = nullptr;
    icon_ = nullptr;
    iconMargin_ = 0;
    if (iconWindow_) ShowWindow(iconWindow_, SW_HIDE);
    if (button_ && DestroyWindow(button_)) button_ = nullptr;
}

bool EditDecorator::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!edit_) return false;
    switch (message) {
    case WM_DESTROY: Cleanup(); return false;
    case WM_SIZE:
        if (button_) {
            SetWindowPos(button_, nullptr, LOWORD(lParam) - buttonWidth_, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return false;
    case WM_SETFOCUS:
        if (normalFont_) ApplyCueFont(FocusState::Focused);
        SendMessageW(edit_, EM_SETSEL, 0, -1);
        SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
        return false;
    case WM_KILLFOCUS:
        if (normalFont_) ApplyCueFont(FocusState::Unfocused);
        return false;
    case WM_SETTEXT:
        if (!normalFont_) return false;
        result = Default(message, wParam, lParam);
        if (result > 0) ApplyCueFont(FocusState::Ask);
        return true;
    case WM_MOUSEACTIVATE: {
        if (GetFocus() == edit_) return false;
        RECT button{};
        if (button_) GetWindowRect(button_, &button);
        const DWORD position = GetMessagePos();
        const POINT cursor{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
        if (button_ && PtInRect(&button, cursor)) return false;
        // The click only focuses the box (which selects all); it does not place the caret.
        SetFocus(edit_);
        result = MA_ACTIVATEANDEAT;
        return true;
    }
    case WM_SETFONT: OnFontChanged(reinterpret_cast<HFONT>(wParam)); return false;
    case WM_NOTIFY:
        if (!button_ || reinterpret_cast<const NMHDR*>(lParam)->hwndFrom != button_) return false;
        result = 0;
        return true;
    case WM_NCHITTEST: {
        if (!icon_) return false;
        result = Default(message, wParam, lParam);
        POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ScreenToClient(edit_, &point);
        // Clicks on the icon do not place the caret.
        if (result == HTCLIENT && point.x < iconMargin_) result = HTBORDER;
        return true;
    }
    case WM_KEYDOWN:
        if (wParam != VK_F2 || !button_) return false;
        SendMessageW(button_, BM_CLICK, 0, 0);
        result = 0;
        return true;
    case WM_COMMAND:
        if (!button_ || reinterpret_cast<HWND>(lParam) != button_ || HIWORD(wParam) != BN_CLICKED) return false;
        return OnButtonCommand(wParam, lParam, result);
    case WM_NCPAINT:
        if (!iconWindow_ && !button_) return false;
        result = Default(message, wParam, lParam);
        RepaintChildren();
        return true;
    case WM_PRINTCLIENT: {
        // The edit leaves the DC it prints into clipped to its text. A themed button asks for
        // its background this way and would then draw nothing over the right margin.
        const HDC dc = reinterpret_cast<HDC>(wParam);
        const int saved = SaveDC(dc);
        result = Default(message, wParam, lParam);
        if (saved) RestoreDC(dc, saved);
        return true;
    }
    case WM_CTLCOLORSTATIC:
        if (GetParent(reinterpret_cast<HWND>(lParam)) != edit_) return false;
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        return true;
    default: return false;
    }
}

}  // namespace linkloom
