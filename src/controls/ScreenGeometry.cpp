#include "controls/ScreenGeometry.h"

namespace linkloom {

namespace {

constexpr int kBaseDpi = 96;

// One axis of KeepRectOnScreen: false when the span had to be put at the screen's start.
bool KeepSpanInside(LONG& start, LONG& end, LONG screenStart, LONG screenEnd) {
    const LONG length = end - start;
    if (length > screenEnd - screenStart || start < screenStart) {
        start = screenStart;
        end = screenStart + length;
        return false;
    }
    if (end > screenEnd) {
        start -= end - screenEnd;
        end = screenEnd;
    }
    return true;
}

void FitSpan(LONG& start, LONG& end, LONG monitorStart, LONG monitorEnd) {
    if (start < monitorStart) {
        end += monitorStart - start;
        start = monitorStart;
    }
    if (end - start <= monitorEnd - monitorStart && end > monitorEnd) {
        start -= end - monitorEnd;
        end = monitorEnd;
    }
}

}  // namespace

RECT CenteredRect(const RECT& window, const RECT& area) {
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    const LONG left = (area.left + area.right - width) / 2;
    const LONG top = (area.top + area.bottom - height) / 2;
    return {left, top, left + width, top + height};
}

ScreenFit KeepRectOnScreen(RECT rect, const RECT& screen) {
    const bool fitsAcross = KeepSpanInside(rect.left, rect.right, screen.left, screen.right);
    const bool fitsDown = KeepSpanInside(rect.top, rect.bottom, screen.top, screen.bottom);
    return {rect, fitsAcross && fitsDown};
}

RECT FitRectToMonitor(RECT rect, const RECT& monitor) {
    FitSpan(rect.left, rect.right, monitor.left, monitor.right);
    FitSpan(rect.top, rect.bottom, monitor.top, monitor.bottom);
    return rect;
}

int ScaleLength(int length, int pixelsPerInch) {
    return pixelsPerInch > kBaseDpi ? MulDiv(length, pixelsPerInch, kBaseDpi) : length;
}

}  // namespace linkloom
