#pragma once

#include <windows.h>

namespace linkloom {

// Placement arithmetic on screen rectangles (right and bottom exclusive); no system calls, so
// the rules can be checked with made-up screens and monitors.

// `window` moved so that its centre is the centre of `area`, halves truncated toward zero.
RECT CenteredRect(const RECT& window, const RECT& area);

struct ScreenFit {
    RECT rect;
    // False when the rectangle is larger than the screen or had its left or top outside it.
    bool fits;
};
// Moves `rect` (never resizes it) inside `screen` as far as it fits.
ScreenFit KeepRectOnScreen(RECT rect, const RECT& screen);

// Moves `rect` onto `monitor`: its top-left corner always, its right and bottom when it fits.
RECT FitRectToMonitor(RECT rect, const RECT& monitor);

// A length at 96 pixels per inch scaled to `pixelsPerInch`, rounded; unchanged at 96 or less.
int ScaleLength(int length, int pixelsPerInch);

}  // namespace linkloom
