#pragma once

#include <windows.h>

namespace linkloom {

// The font a window draws with (WM_GETFONT); null for the system font.
inline HFONT WindowFont(HWND window) { return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)); }

// A copy of `font` with another weight (0 keeps it), italic or underline value (-1 keeps them);
// owned by the caller, null on failure.
HFONT DeriveFont(HFONT font, LONG weight, int italic, int underline);

// The character height in device pixels of a size in tenths of a point, truncated.
int PointSizeToPixels(int tenthsOfPoint, int pixelsPerInch);

// A font from `font` whose lfHeight holds tenths of a point, for `dc` (null: the screen);
// owned by the caller.
HFONT CreatePointFont(const LOGFONTW& font, HDC dc = nullptr);

// The width of `text` in `font` (null: the window's font) in pixels; 0 on failure.
int MeasureTextWidth(HWND window, const wchar_t* text, HFONT font = nullptr);

}  // namespace linkloom
