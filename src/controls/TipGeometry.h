#pragma once

#include <windows.h>

#include <array>

namespace linkloom {

// Layout of the flat tooltip, in pixels, without system calls.

// Where the cursor is in the control: 1 lower left, 2 lower right, 3 upper left, 4 upper right.
// A cursor on the middle line counts as upper, on the middle column as right.
int TipQuadrant(POINT cursor, const RECT& control);

struct TipLayout {
    int margin;
    int stripWidth;
    int textWidth;  // the widest line plus the margin
    int lines;
    int lineHeight;
};

// The tip directly above the control (lower quadrants) or below it, starting at the cursor.
RECT TipRect(POINT cursor, const RECT& control, int quadrant, const TipLayout& layout);

// `tip` moved left by what passes `rightEdge`; nothing else is clamped.
RECT ShiftLeftOfEdge(RECT tip, LONG rightEdge);

// The light strip at the tip's left.
RECT TipStripRect(const RECT& client, const TipLayout& layout);

// Where the text goes: right of the strip, centred in what is left.
RECT TipTextRect(const RECT& client, const RECT& strip, const TipLayout& layout);

// The arrow glyph: 18 points of a polyline in the strip's corner that faces the control.
// False (and no points) for a quadrant other than 1 to 4.
bool TipArrowPoints(int quadrant, const RECT& strip, std::array<POINT, 18>& points);

}  // namespace linkloom
