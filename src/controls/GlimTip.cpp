#include "controls/GlimTip.h"

#include <commctrl.h>

#include <algorithm>
#include <mutex>

#include "controls/DeviceContext.h"
#include "controls/Fonts.h"
#include "controls/GdiHandle.h"
#include "controls/Monitors.h"
#include "controls/WindowText.h"
#include "platform/win32/StringResource.h"
#include "resources/resource.h"

namespace linkloom {

namespace {

constexpr wchar_t kClassName[] = L"ATL:GlimTip";
constexpr UINT kFirstToolId = 1000;
constexpr UINT kUnnamedId = 0xFFFF;
constexpr int kMaxTipWidth = 10000;

WNDPROC systemProcedure = nullptr;

// Registers the superclass once per process; the system tooltip procedure, or null when the
// system class is missing.
WNDPROC RegisterTipClass(WNDPROC procedure) {
    static std::mutex lock;
    const std::lock_guard<std::mutex> guard(lock);
    if (systemProcedure) return systemProcedure;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW tipClass{};
    tipClass.cbSize = sizeof tipClass;
    if (!GetClassInfoExW(nullptr, TOOLTIPS_CLASSW, &tipClass) &&
        !GetClassInfoExW(instance, TOOLTIPS_CLASSW, &tipClass)) {
        return nullptr;
    }
    const WNDPROC base = tipClass.lpfnWndProc;
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(instance, kClassName, &existing)) {
        tipClass.hInstance = instance;
        tipClass.style &= ~CS_GLOBALCLASS;
        tipClass.lpfnWndProc = procedure;
        tipClass.lpszClassName = kClassName;
        if (!RegisterClassExW(&tipClass)) return nullptr;
    }
    systemProcedure = base;
    return base;
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    const COLORREF previous = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

// The widest line of `text` in the DC's font; `lines` counts a final line feed as a line.
int WidestLine(HDC dc, const std::wstring& text, int& lines) {
    lines = 1;
    int widest = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(L'\n', start);
        const std::size_t length = (end == std::wstring::npos ? text.size() : end) - start;
        SIZE size{};
        if (length && GetTextExtentPoint32W(dc, text.data() + start, static_cast<int>(length), &size)) {
            widest = std::max(widest, static_cast<int>(size.cx));
        }
        if (end == std::wstring::npos) return widest;
        ++lines;
        start = end + 1;
    }
}

}  // namespace

GlimTip::GlimTip()
    : background_(GetSysColor(COLOR_WINDOW)),
      strip_(GetSysColor(COLOR_3DLIGHT)),
      frame_(GetSysColor(COLOR_BTNSHADOW)),
      text_(GetSysColor(COLOR_WINDOWTEXT)),
      arrow_(GetSysColor(COLOR_WINDOWTEXT)) {}

GlimTip::~GlimTip() {
    if (window_) DestroyWindow(window_);
}

HWND GlimTip::Attach(HWND dialog, HINSTANCE resources) {
    if (!Create(dialog)) return nullptr;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.hinst = resources;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const auto id = static_cast<UINT>(GetDlgCtrlID(child));
        if (id < kFirstToolId || id == kUnnamedId) continue;
        const String text = platform::LoadStringResource(resources, id);
        if (text.IsEmpty()) continue;
        tool.uId = reinterpret_cast<UINT_PTR>(child);
        tool.lpszText = const_cast<wchar_t*>(text.Wide());
        SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    Configure();
    return window_;
}

HWND GlimTip::Create(HWND owner) {
    if (window_ || !RegisterTipClass(Procedure)) return nullptr;
    CreateWindowExW(WS_EX_TOPMOST, kClassName, nullptr, WS_POPUP | TTS_NOPREFIX, 0, 0, 10, 10, owner, nullptr,
                    GetModuleHandleW(nullptr), this);
    if (!window_) return nullptr;
    const LONG style = GetWindowLongW(window_, GWL_STYLE);
    if (style & WS_BORDER) SetWindowLongW(window_, GWL_STYLE, style & ~WS_BORDER);
    return window_;
}

void GlimTip::SetToolText(HWND control, const String& text) {
    if (!window_) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    SendMessageW(window_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (text.IsEmpty()) return;
    tool.lpszText = const_cast<wchar_t*>(text.Wide());
    SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void GlimTip::Configure() {
    SendMessageW(window_, TTM_ACTIVATE, TRUE, 0);
    const auto autoPop = static_cast<int>(SendMessageW(window_, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0));
    SendMessageW(window_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(LOWORD(2 * autoPop), 0));
    // A maximum width makes the control honour the line breaks of the texts.
    SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
}

LRESULT CALLBACK GlimTip::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<GlimTip*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<GlimTip*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (self && self->HandleMessage(message, wParam, lParam, result)) return result;
    if (self && message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return CallWindowProcW(systemProcedure, window, message, wParam, lParam);
}

bool GlimTip::HandleMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window_, &paint);
        result = OnPaint(dc);
        EndPaint(window_, &paint);
        return true;
    }
    case WM_NCPAINT:
    case WM_PRINT:
    case WM_PRINTCLIENT: result = 0; return true;
    case WM_NOTIFY + WM_REFLECT_OFFSET:
        if (reinterpret_cast<const NMHDR*>(lParam)->code != TTN_SHOW) return false;
        result = OnShow();
        return true;
    default: return false;
    }
}

LRESULT GlimTip::OnShow() {
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT control{};
    GetWindowRect(WindowFromPoint(cursor), &control);
    quadrant_ = TipQuadrant(cursor, control);
    tipText_ = WindowText(window_);
    {
        const WindowDC dc(window_);
        const SelectedObject font(dc.Get(), WindowFont(window_));
        int lines = 1;
        const int widest = WidestLine(dc.Get(), tipText_, lines);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.Get(), &metrics);
        layout_.margin = ScaleForDpi(2);
        layout_.stripWidth = ScaleForDpi(20);
        layout_.textWidth = widest + layout_.margin;
        layout_.lines = lines;
        layout_.lineHeight = metrics.tmHeight;
    }
    const RECT tip = ShiftLeftOfEdge(TipRect(cursor, control, quadrant_, layout_), GetVirtualScreenRect().right);
    SetWindowPos(window_, nullptr, tip.left, tip.top, tip.right - tip.left, tip.bottom - tip.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return 1;
}

LRESULT GlimTip::OnPaint(HDC dc) {
    if (tipText_.empty()) return 0;
    RECT client{};
    GetClientRect(window_, &client);
    const SelectedObject font(dc, WindowFont(window_));
    FillSolid(dc, client, background_);
    const RECT strip = TipStripRect(client, layout_);
    FillSolid(dc, strip, strip_);

    RECT text = TipTextRect(client, strip, layout_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text_);
    DrawTextW(dc, tipText_.c_str(), static_cast<int>(tipText_.size()), &text,
              layout_.lines == 1 ? DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER : DT_NOPREFIX | DT_WORDBREAK);

    FillSolid(dc, {client.left, client.top, client.right - 1, client.top + 1}, frame_);
    FillSolid(dc, {client.left, client.top, client.left + 1, client.bottom - 1}, frame_);
    FillSolid(dc, {client.right - 1, client.top, client.right, client.bottom}, frame_);
    FillSolid(dc, {client.left, client.bottom - 1, client.right, client.bottom}, frame_);

    std::array<POINT, 18> arrow;
    if (TipArrowPoints(quadrant_, strip, arrow)) {
        const PenHandle pen(CreatePen(PS_SOLID, 1, arrow_));
        const SelectedObject selected(dc, pen.Get());
        Polyline(dc, arrow.data(), static_cast<int>(arrow.size()));
    }
    return 0;
}

}  // namespace linkloom
