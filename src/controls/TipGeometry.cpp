#include "controls/TipGeometry.h"

namespace linkloom {

namespace {

// Offsets from the arrow's base corner, away from it along each axis.
constexpr POINT kArrowOffsets[18] = {{0, 0}, {0, 6}, {1, 6}, {1, 0}, {6, 0}, {6, 1}, {2, 1}, {2, 4}, {5, 7},
                                     {6, 7}, {3, 4}, {3, 3}, {6, 6}, {7, 6}, {3, 2}, {4, 2}, {7, 5}, {7, 6}};

bool IsLower(Quadrant quadrant) { return quadrant == Quadrant::LowerLeft || quadrant == Quadrant::LowerRight; }

}  // namespace

Quadrant TipQuadrant(POINT cursor, const RECT& control) {
    const LONG middleY = control.top + (control.bottom - control.top) / 2;
    const LONG middleX = control.left + (control.right - control.left) / 2;
    const bool lower = cursor.y > middleY;
    const bool left = cursor.x < middleX;
    if (lower) return left ? Quadrant::LowerLeft : Quadrant::LowerRight;
    return left ? Quadrant::UpperLeft : Quadrant::UpperRight;
}

RECT TipRect(POINT cursor, const RECT& control, Quadrant quadrant, const TipLayout& layout) {
    const LONG height = 2 * layout.margin + layout.lines * layout.lineHeight;
    RECT tip;
    tip.left = cursor.x;
    tip.right = cursor.x + layout.stripWidth + layout.textWidth;
    if (IsLower(quadrant)) {
        tip.bottom = control.top;
        tip.top = control.top - height;
    } else {
        tip.top = control.bottom;
        tip.bottom = control.bottom + height;
    }
    return tip;
}

RECT ShiftLeftOfEdge(RECT tip, LONG rightEdge) {
    if (tip.right > rightEdge) OffsetRect(&tip, rightEdge - tip.right, 0);
    return tip;
}

RECT TipStripRect(const RECT& client, const TipLayout& layout) {
    RECT strip = client;
    strip.right = client.left + layout.stripWidth - 2 * layout.margin;
    return strip;
}

RECT TipTextRect(const RECT& client, const RECT& strip, const TipLayout& layout) {
    RECT text = client;
    text.left = strip.right + 1;
    text.top += layout.margin / 2;
    text.left += (client.right - layout.textWidth - text.left) / 2;
    return text;
}

bool TipArrowPoints(Quadrant quadrant, const RECT& strip, std::array<POINT, 18>& points) {
    POINT base;
    int directionX;
    int directionY;
    switch (quadrant) {
    case Quadrant::LowerLeft:
        base = {strip.right - 3, strip.bottom - 3};
        directionX = -1;
        directionY = -1;
        break;
    case Quadrant::LowerRight:
        base = {strip.left + 3, strip.bottom - 3};
        directionX = 1;
        directionY = -1;
        break;
    case Quadrant::UpperLeft:
        base = {strip.right - 3, strip.top + 2};
        directionX = -1;
        directionY = 1;
        break;
    case Quadrant::UpperRight:
        base = {strip.left + 2, strip.top + 2};
        directionX = 1;
        directionY = 1;
        break;
    default: return false;
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i] = {base.x + directionX * kArrowOffsets[i].x, base.y + directionY * kArrowOffsets[i].y};
    }
    return true;
}

}  // namespace linkloom
