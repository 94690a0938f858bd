#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace linkloom {

// Code points in UTF-8 and UTF-16: the one decoder of UTF-8 sequences and the one surrogate-pair
// arithmetic that the conversions of String, the code pages, markup and URLs share.

// What an ill-formed sequence or an unpaired surrogate becomes in output text.
constexpr char16_t kReplacementCharacter = 0xFFFD;

constexpr bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
constexpr bool IsSurrogate(char32_t code) { return code >= 0xD800 && code <= 0xDFFF; }

// True when the units at `at` and after it are a high and a low surrogate.
inline bool IsSurrogatePairAt(std::u16string_view text, std::size_t at) {
    return IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1]);
}

constexpr char32_t CombineSurrogates(char16_t high, char16_t low) {
    return 0x10000 + ((char32_t(high) - 0xD800) << 10) + (char32_t(low) - 0xDC00);
}

// The two halves of a code point from U+10000 on.
constexpr char16_t HighSurrogateOf(char32_t code) { return static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)); }
constexpr char16_t LowSurrogateOf(char32_t code) { return static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)); }

// Appends a code point (not a surrogate, at most U+10FFFF) as one unit or a surrogate pair.
inline void AppendUtf16(std::u16string& out, char32_t code) {
    if (code >= 0x10000) {
        out += HighSurrogateOf(code);
        out += LowSurrogateOf(code);
    } else {
        out += static_cast<char16_t>(code);
    }
}

// Appends a code point (at most U+10FFFF) in UTF-8.
inline void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

constexpr bool IsUtf8Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence at `at` and its code point; 0 when the bytes there
// are not one (a stray or overlong byte, a surrogate, beyond U+10FFFF, or cut off by the end).
inline std::size_t DecodeUtf8Sequence(const unsigned char* bytes, std::size_t count, std::size_t at, char32_t& code) {
    const unsigned char lead = bytes[at];
    std::size_t length;
    char32_t minimum;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        minimum = 0x800;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > count) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsUtf8Continuation(bytes[at + i])) return 0;
        code = (code << 6) | (bytes[at + i] & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || IsSurrogate(code)) return 0;
    return length;
}

}  // namespace linkloom
