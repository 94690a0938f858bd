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
    const std::u16string& haystack = text.Text();
    const std::u16string& needle = part.Text();
    if (needle.empty()) return true;
    if (needle.size() > haystack.size()) return false;
    // The first unit is looked for in its two letter cases directly, without folding the text:
    // most pages hold no match, so this scan is nearly all of the work.
    const char16_t first = Fold(needle[0]);
    const char16_t other = Fold(static_cast<char16_t>(first - 32)) == first ? static_cast<char16_t>(first - 32) : first;
    const char16_t* units = haystack.data();
    const std::size_t last = haystack.size() - needle.size();
    for (std::size_t i = 0; i <= last; ++i) {
        if (units[i] != first && units[i] != other) continue;
        std::size_t k = 1;
        while (k < needle.size() && Fold(units[i + k]) == Fold(needle[k])) ++k;
        if (k == needle.size()) return true;
    }
    return false;
}

}  // namespace linkloom::platform
