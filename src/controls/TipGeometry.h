#pragma once

#include <windows.h>

#include <array>

namespace linkloom {

// Layout of the flat tooltip, in pixels, without system calls.

// A quarter of a control, numbered as the tip's arrow table numbers them; None draws no arrow.
enum class Quadrant : int { None = 0, LowerLeft = 1, LowerRight = 2, UpperLeft = 3, UpperRight = 4 };

// Where the cursor is in the control. A cursor on the middle line counts as upper, on the middle
// column as right.
Quadrant TipQuadrant(POINT cursor, const RECT& control);

struct TipLayout {
    int margin;
    int stripWidth;
    int textWidth;  // the widest line plus the margin
    int lines;
    int lineHeight;
};

// The tip directly above the control (lower quadrants) or below it, starting at the cursor.
RECT TipRect(POINT cursor, const RECT& control, Quadrant quadrant, const TipLayout& layout);

// `tip` moved left by what passes `rightEdge`; nothing else is clamped.
RECT ShiftLeftOfEdge(RECT tip, LONG rightEdge);

// The light strip at the tip's left.
RECT TipStripRect(const RECT& client, const TipLayout& layout);

// Where the text goes: right of the strip, centred in what is left.
RECT TipTextRect(const RECT& client, const RECT& strip, const TipLayout& layout);

// The arrow glyph: 18 points of a polyline in the strip's corner that faces the control.
// False (and no points) for no quadrant.
bool TipArrowPoints(Quadrant quadrant, const RECT& strip, std::array<POINT, 18>& points);

}  // namespace linkloom
