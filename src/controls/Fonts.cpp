#include "controls/Fonts.h"

#include <cstdlib>

#include "controls/DeviceContext.h"

namespace linkloom {

HFONT DeriveFont(HFONT font, LONG weight, int italic, int underline) {
    LOGFONTW description;
    if (!font || GetObjectW(font, sizeof description, &description) != sizeof description) return nullptr;
    if (weight != 0) description.lfWeight = weight;
    if (italic != -1) description.lfItalic = static_cast<BYTE>(italic);
    if (underline != -1) description.lfUnderline = static_cast<BYTE>(underline);
    return CreateFontIndirectW(&description);
}

int PointSizeToPixels(int tenthsOfPoint, int pixelsPerInch) { return pixelsPerInch * tenthsOfPoint / 720; }

HFONT CreatePointFont(const LOGFONTW& font, HDC dc) {
    if (!dc) {
        const WindowDC screen(nullptr);
        return screen.Get() ? CreatePointFont(font, screen.Get()) : nullptr;
    }
    POINT points[2] = {{0, PointSizeToPixels(font.lfHeight, GetDeviceCaps(dc, LOGPIXELSY))}, {0, 0}};
    DPtoLP(dc, points, 2);
    LOGFONTW sized = font;
    sized.lfHeight = -std::abs(points[0].y - points[1].y);
    return CreateFontIndirectW(&sized);
}

int MeasureTextWidth(HWND window, const wchar_t* text, HFONT font) {
    if (!text) return 0;
    if (!font) font = WindowFont(window);
    const WindowDC dc(window);
    if (!dc.Get()) return 0;
    const SelectedObject selected(dc.Get(), font);
    RECT measured{};
    DrawTextW(dc.Get(), text, -1, &measured, DT_CALCRECT);
    return measured.right - measured.left;
}

}  // namespace linkloom
