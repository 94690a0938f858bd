#include "controls/WindowText.h"

#include <algorithm>

namespace linkloom {

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(std::max(0, GetWindowTextLengthW(window))) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(0, got)));
    return text;
}

String WindowString(HWND window) {
    const std::wstring text = WindowText(window);
    return String(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

}  // namespace linkloom
