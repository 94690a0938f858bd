#include "core/markup/CharacterReferences.h"

#include <algorithm>

#include "base/AsciiCharacters.h"
#include "base/Utf8.h"
#include "core/markup/NamedReferences.h"

namespace linkloom {

namespace {

constexpr std::size_t kLongestName = 32;
constexpr char32_t kReplacement = kReplacementCharacter;
constexpr char32_t kMostCodePoint = 0x10FFFF;

// What numeric references to 0x80-0x9F mean: the Windows-1252 characters (0 where that code
// point stays itself).
constexpr char16_t kWindows1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                       0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool IsAlnum(char c) { return IsAsciiDigit(c) || IsAsciiLetter(c); }

const NamedReference* FindNamed(std::string_view name) {
    const NamedReference* end = kNamedReferences + kNamedReferenceCount;
    const NamedReference* found =
        std::lower_bound(kNamedReferences, end, name,
                         [](const NamedReference& entry, std::string_view key) { return entry.name < key; });
    return found != end && found->name == name ? found : nullptr;
}

std::size_t DecodeNamed(std::string_view text, bool inAttribute, std::string& out) {
    std::size_t run = 0;
    while (run < text.size() && run < kLongestName && IsAlnum(text[run])) ++run;
    if (run < text.size() && text[run] == ';') ++run;
    // The longest name the text starts with.
    for (std::size_t length = run; length > 0; --length) {
        const NamedReference* named = FindNamed(text.substr(0, length));
        if (!named) continue;
        const bool closed = text[length - 1] == ';';
        if (!closed && inAttribute && length < text.size() && (text[length] == '=' || IsAlnum(text[length]))) {
            return 0;
        }
        AppendUtf8(out, named->first);
        if (named->second) AppendUtf8(out, named->second);
        return length;
    }
    return 0;
}

std::size_t DecodeNumeric(std::string_view text, std::string& out) {
    // text starts with '#'.
    std::size_t at = 1;
    const bool hex = at < text.size() && (text[at] == 'x' || text[at] == 'X');
    if (hex) ++at;
    const std::size_t digits = at;
    char32_t code = 0;
    for (; at < text.size(); ++at) {
        const int value = hex ? HexDigitValue(text[at]) : IsAsciiDigit(text[at]) ? text[at] - '0' : -1;
        if (value < 0) break;
        // Past the last code point the value stays out of range however long the digits go on.
        code = std::min<char32_t>(code * (hex ? 16 : 10) + static_cast<char32_t>(value), kMostCodePoint + 1);
    }
    if (at == digits) return 0;
    if (at < text.size() && text[at] == ';') ++at;
    if (code == 0 || code > kMostCodePoint || IsSurrogate(code)) {
        code = kReplacement;
    } else if (code >= 0x80 && code <= 0x9F && kWindows1252[code - 0x80]) {
        code = kWindows1252[code - 0x80];
    }
    AppendUtf8(out, code);
    return at;
}

}  // namespace

std::size_t DecodeCharacterReference(std::string_view text, bool inAttribute, std::string& out) {
    if (text.empty()) return 0;
    if (text[0] == '#') return DecodeNumeric(text, out);
    return IsAlnum(text[0]) ? DecodeNamed(text, inAttribute, out) : 0;
}

}  // namespace linkloom
