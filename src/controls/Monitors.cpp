#include "controls/Monitors.h"

#include "controls/ScreenGeometry.h"

namespace linkloom {

namespace {

using MonitorFromWindowFunction = HMONITOR(WINAPI*)(HWND, DWORD);
using MonitorFromRectFunction = HMONITOR(WINAPI*)(LPCRECT, DWORD);
using GetMonitorInfoFunction = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

template <typename Function>
Function User32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"USER32.DLL");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

bool ReadMonitorInfo(GetMonitorInfoFunction getInfo, HMONITOR monitor, MONITORINFO& info) {
    info = {};
    info.cbSize = sizeof info;
    return monitor && getInfo(monitor, &info);
}

int screenPixelsPerInch = 0;

}  // namespace

BOOL CenterOnOwner(HWND window, HWND owner) {
    RECT own{};
    GetWindowRect(window, &own);
    RECT area{};
    if (owner) {
        GetWindowRect(owner, &area);
    } else {
        GetMonitorWorkArea(window, area);
    }
    RECT placed = CenteredRect(own, area);
    KeepOnScreen(placed);
    return SetWindowPos(window, nullptr, placed.left, placed.top, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void GetMonitorWorkArea(HWND window, RECT& work, RECT* monitor) {
    const auto fromWindow = User32Function<MonitorFromWindowFunction>("MonitorFromWindow");
    const auto getInfo = User32Function<GetMonitorInfoFunction>("GetMonitorInfoW");
    MONITORINFO info;
    if (fromWindow && getInfo && ReadMonitorInfo(getInfo, fromWindow(window, MONITOR_DEFAULTTONEAREST), info)) {
        work = info.rcWork;
        if (monitor) *monitor = info.rcMonitor;
        return;
    }
    work = GetVirtualScreenRect();
    if (monitor) *monitor = work;
}

RECT GetVirtualScreenRect() {
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    if (width == 0) return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + width, top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void KeepOnScreen(RECT& rect) {
    const ScreenFit fit = KeepRectOnScreen(rect, GetVirtualScreenRect());
    rect = fit.rect;
    if (!fit.fits) FitToMonitor(rect);
}

void FitToMonitor(RECT& rect) {
    const auto fromRect = User32Function<MonitorFromRectFunction>("MonitorFromRect");
    const auto getInfo = User32Function<GetMonitorInfoFunction>("GetMonitorInfoW");
    MONITORINFO info;
    if (fromRect && getInfo && ReadMonitorInfo(getInfo, fromRect(&rect, MONITOR_DEFAULTTONEAREST), info)) {
        rect = FitRectToMonitor(rect, info.rcMonitor);
    }
}

int ScaleForDpi(int length) {
    if (screenPixelsPerInch == 0) {
        const HDC screen = GetWindowDC(nullptr);
        const int read = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        screenPixelsPerInch = read < 96 ? 96 : read;
    }
    return ScaleLength(length, screenPixelsPerInch);
}

}  // namespace linkloom
