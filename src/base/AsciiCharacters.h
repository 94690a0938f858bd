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

// The value of a hexadecimal digit in either case, or -1.
template <typename Unit>
constexpr int HexDigitValue(Unit unit) {
    if (IsAsciiDigit(unit)) return unit - '0';
    const Unit lower = AsciiLower(unit);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// The text with its ASCII letters in lower case.
inline std::u16string AsciiLowered(std::u16string_view text) {
    std::u16string lowered(text);
    for (char16_t& unit : lowered) unit = AsciiLower(unit);
    return lowered;
}

}  // namespace linkloom
