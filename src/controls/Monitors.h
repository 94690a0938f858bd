#pragma once

#include <windows.h>

namespace linkloom {

// Window placement on one or several monitors. The multi-monitor functions are looked up in
// USER32.DLL at each call; without them the virtual screen is the only area.

// Centres `window` on `owner`, or on the work area of its monitor when there is no owner, and
// keeps it on screen. Returns what SetWindowPos returns.
BOOL CenterOnOwner(HWND window, HWND owner);

// The work area of the monitor nearest to `window`, and that monitor's whole area if asked.
void GetMonitorWorkArea(HWND window, RECT& work, RECT* monitor = nullptr);

// The bounding rectangle of all monitors (the primary screen on systems without that metric).
RECT GetVirtualScreenRect();

// Moves `rect` into the virtual screen, and into its nearest monitor when it does not fit.
void KeepOnScreen(RECT& rect);

// Moves `rect` into the monitor nearest to it as far as it fits.
void FitToMonitor(RECT& rect);

// `length` pixels at 96 pixels per inch, for the screen's resolution as read on first use.
int ScaleForDpi(int length);

}  // namespace linkloom
