#pragma once

#include <string>
#include <string_view>

namespace linkloom {

// The ASCII character classes that markup, URLs, dates and robots.txt rules are written in, for
// bytes and UTF-16 code units alike; every other character is in none of them and stays as it is.

template <typename Unit>
constexpr bool IsAsciiLetter(Unit unit) {
    return (unit >= 'a' && unit <= 'z') || (unit >= 'A' && unit <= 'Z');
}

template <typename Unit>
constexpr bool IsAsciiDigit(Unit unit) {
    return unit >= '0' && unit <= '9';
}

template <typename Unit>
constexpr Unit AsciiLower(Unit unit) {
    return unit >= 'A' && unit <= 'Z' ? static_cast<Unit>(unit + 32) : unit;
}

// HTML's white space, which separates attributes and tokens and surrounds attribute values.
template <typename Unit>
constexpr bool IsHtmlBlank(Unit unit) {
    return unit == ' ' || unit == '\t' || unit == '\n' || unit == '\r' || unit == '\f';
}

// The text without the HTML blanks around it.
inline std::u16string_view TrimHtmlBlanks(std::u16string_view text) {
    while (!text.empty() && IsHtmlBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsHtmlBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The value of a hexadecimal digit in either case, or -1.
template <typename Unit>
constexpr int HexDigitValue(Unit unit) {
    if (IsAsciiDigit(unit)) return unit - '0';
    const Unit lower = AsciiLower(unit);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// True when `text` is `lower` (written in lower case) with its ASCII letters in either case.
template <typename Unit>
bool AsciiEqualsNoCase(std::basic_string_view<Unit> text, std::basic_string_view<Unit> lower) {
    if (text.size() != lower.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (AsciiLower(text[i]) != lower[i]) return false;
    }
    return true;
}
inline bool AsciiEqualsNoCase(std::string_view text, std::string_view lower) {
    return AsciiEqualsNoCase<char>(text, lower);
}
inline bool AsciiEqualsNoCase(std::u16string_view text, std::u16string_view lower) {
    return AsciiEqualsNoCase<char16_t>(text, lower);
}

// The text with its ASCII letters in lower case.
inline std::u16string AsciiLowered(std::u16string_view text) {
    std::u16string lowered(text);
    for (char16_t& unit : lowered) unit = AsciiLower(unit);
    return lowered;
}

}  // namespace linkloom
