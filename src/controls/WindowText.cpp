#include "controls/WindowText.h"

#include <algorithm>

namespace linkloom {

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(std::max(0, GetWindowTextLengthW(window))) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(0, got)));
    return text;
}

}  // namespace linkloom
