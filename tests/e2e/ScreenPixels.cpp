#include "e2e/ScreenPixels.h"

#include <algorithm>
#include <cstdlib>

namespace linkloom::e2e {

namespace {

// A 32-bit top-down bitmap selected into a memory DC, released with the object.
class PixelCanvas {
public:
    PixelCanvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (dc_ && bitmap_) previous_ = SelectObject(dc_, bitmap_);
    }
    ~PixelCanvas() {
        if (previous_) SelectObject(dc_, previous_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    bool Ready() const { return previous_ != nullptr; }
    HDC Dc() const { return dc_; }
    std::vector<std::uint32_t> Pixels(int width, int height) const {
        GdiFlush();
        const auto* first = static_cast<const std::uint32_t*>(bits_);
        std::vector<std::uint32_t> pixels(first, first + static_cast<std::size_t>(width) * height);
        for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
        return pixels;
    }

private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
};

}  // namespace

ScreenPixels ScreenPixels::Capture(const RECT& area) {
    ScreenPixels shot;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return shot;
    PixelCanvas canvas(width, height);
    const HDC screen = GetDC(nullptr);
    const bool copied = canvas.Ready() && screen &&
                        BitBlt(canvas.Dc(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
    if (screen) ReleaseDC(nullptr, screen);
    if (!copied) return shot;
    shot.origin_ = area;
    shot.width_ = width;
    shot.height_ = height;
    shot.pixels_ = canvas.Pixels(width, height);
    return shot;
}

ScreenPixels ScreenPixels::OfIcon(HICON icon, int width, int height, COLORREF background) {
    ScreenPixels drawn;
    PixelCanvas canvas(width, height);
    if (!canvas.Ready()) return drawn;
    const RECT all{0, 0, width, height};
    const HBRUSH brush = CreateSolidBrush(background);
    FillRect(canvas.Dc(), &all, brush);
    DeleteObject(brush);
    if (!DrawIconEx(canvas.Dc(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL)) return drawn;
    drawn.origin_ = all;
    drawn.width_ = width;
    drawn.height_ = height;
    drawn.pixels_ = canvas.Pixels(width, height);
    return drawn;
}

ScreenPixels ScreenPixels::Part(const RECT& area) const {
    ScreenPixels part;
    RECT inside{};
    if (!IntersectRect(&inside, &area, &origin_)) return part;
    part.origin_ = inside;
    part.width_ = inside.right - inside.left;
    part.height_ = inside.bottom - inside.top;
    for (LONG y = inside.top; y < inside.bottom; ++y) {
        for (LONG x = inside.left; x < inside.right; ++x) part.pixels_.push_back(At(x - origin_.left, y - origin_.top));
    }
    return part;
}

int ColourDistance(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        largest =
            std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    }
    return largest;
}

std::uint32_t PixelOf(COLORREF colour) {
    return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

}  // namespace linkloom::e2e
