#include "platform/TextCompare.h"

#include <algorithm>

namespace linkloom::platform {

namespace {

// ASCII and Latin-1 letters fold; other units compare as they are.
char16_t Fold(char16_t unit) {
    if (unit >= u'A' && unit <= u'Z') return unit + 32;
    if (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7) return unit + 32;
    return unit;
}

}  // namespace

char16_t FoldCase(char16_t unit) { return Fold(unit); }

int CompareNoCase(const String& left, const String& right) {
    const std::size_t common = std::min(left.Length(), right.Length());
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t a = Fold(left[i]), b = Fold(right[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    if (left.Length() == right.Length()) return 0;
    return left.Length() < right.Length() ? -1 : 1;
}

bool ContainsNoCase(const String& text, const String& part) {
    const auto& haystack = text.Text();
    const auto& needle = part.Text();
    if (needle.empty()) return true;
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                       [](char16_t a, char16_t b) { return Fold(a) == Fold(b); }) != haystack.end();
}

}  // namespace linkloom::platform
