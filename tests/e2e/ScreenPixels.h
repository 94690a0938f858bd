#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace linkloom::e2e {

// A rectangle of pixels, 0x00RRGGBB, read from the screen (what the user sees, not what a
// window would draw on request) or drawn by the test itself.
class ScreenPixels {
public:
    // The screen inside `area` (screen coordinates); empty when it could not be read.
    static ScreenPixels Capture(const RECT& area);
    // `icon` drawn at `width` x `height` over `background`, as a static control draws it.
    static ScreenPixels OfIcon(HICON icon, int width, int height, COLORREF background);

    bool Empty() const { return pixels_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The pixel at (x, y) from the top left corner.
    std::uint32_t At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    // The part inside `area`, in the coordinates this picture was taken in.
    ScreenPixels Part(const RECT& area) const;

private:
    RECT origin_{};
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// The largest difference between two pixels in one colour channel.
int ColourDistance(std::uint32_t a, std::uint32_t b);
// 0x00RRGGBB of a COLORREF.
std::uint32_t PixelOf(COLORREF colour);

}  // namespace linkloom::e2e
