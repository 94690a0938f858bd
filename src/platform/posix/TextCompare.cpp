#include "platform/TextCompare.h"

#include <algorithm>

#include "base/TextScan.h"
#include "platform/posix/LatinCase.h"

namespace linkloom::platform {

namespace {

char16_t Fold(char16_t unit) { return LatinLower(unit); }

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

bool ContainsNoCase(std::u16string_view text, std::u16string_view part) {
    const std::size_t length = part.size();
    if (length == 0) return true;
    if (length > text.size()) return false;
    // No unit outside ASCII folds into it, so an ASCII part is looked for among ASCII units only.
    char lowered[16];
    if (length <= sizeof lowered && std::all_of(part.begin(), part.end(), [](char16_t unit) { return unit < 0x80; })) {
        for (std::size_t i = 0; i < length; ++i) lowered[i] = static_cast<char>(Fold(part[i]));
        return FindAsciiNoCase(text.data(), text.size(), std::string_view(lowered, length)) != std::string_view::npos;
    }
    // Horspool's search on folded units: the unit under the window's last place says how far the
    // window may move, so most of the text is never looked at. Units past Latin-1 share one
    // distance, the shortest any of them in the part allows.
    std::size_t shift[256];
    std::size_t wideShift = length;
    for (std::size_t& distance : shift) distance = length;
    for (std::size_t i = 0; i + 1 < length; ++i) {
        const char16_t unit = Fold(part[i]);
        if (unit < 256) {
            shift[unit] = length - 1 - i;
        } else {
            wideShift = length - 1 - i;
        }
    }
    const char16_t last = Fold(part[length - 1]);
    for (std::size_t at = 0; at + length <= text.size();) {
        const char16_t unit = Fold(text[at + length - 1]);
        if (unit == last) {
            std::size_t k = 0;
            while (k + 1 < length && Fold(text[at + k]) == Fold(part[k])) ++k;
            if (k + 1 == length) return true;
        }
        at += unit < 256 ? shift[unit] : wideShift;
    }
    return false;
}

}  // namespace linkloom::platform
