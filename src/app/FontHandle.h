#pragma once

#include <windows.h>

namespace linkloom {

// Owns a GDI font; deletes it when replaced or destroyed.
class FontHandle {
public:
    FontHandle() = default;
    ~FontHandle() { Reset(); }
    FontHandle(const FontHandle&) = delete;
    FontHandle& operator=(const FontHandle&) = delete;

    HFONT Get() const { return font_; }
    void Reset(HFONT font = nullptr) {
        if (font_) DeleteObject(font_);
        font_ = font;
    }

private:
    HFONT font_ = nullptr;
};

}  // namespace linkloom
