#include "core/url/UrlText.h"

namespace linkloom {

namespace {

// RFC 3986's character classes for ASCII, by bit: unreserved, sub-delimiter, hex digit.
constexpr unsigned char kUnreserved = 1, kSubDelimiter = 2, kHexDigit = 4;

struct CharacterClasses {
    unsigned char of[128];
    constexpr CharacterClasses() : of() {
        for (int c = 'A'; c <= 'Z'; ++c) of[c] = of[c + 32] = kUnreserved;
        for (int c = '0'; c <= '9'; ++c) of[c] = kUnreserved | kHexDigit;
        for (int c = 'A'; c <= 'F'; ++c) of[c] = of[c + 32] = kUnreserved | kHexDigit;
        for (const char c : "-._~") of[static_cast<int>(c)] |= c ? kUnreserved : 0;
        for (const char c : "!$&'()*+,;=") of[static_cast<int>(c)] |= c ? kSubDelimiter : 0;
    }
};
constexpr CharacterClasses kClasses;

bool IsOf(char16_t unit, unsigned char kind) { return unit < 128 && (kClasses.of[unit] & kind) != 0; }

}  // namespace

bool IsUnreserved(char16_t unit) { return IsOf(unit, kUnreserved); }

bool IsSubDelimiter(char16_t unit) { return IsOf(unit, kSubDelimiter); }

bool IsPercentEscapeAt(std::u16string_view text, std::size_t at) {
    return text[at] == u'%' && at + 2 < text.size() && IsOf(text[at + 1], kHexDigit) && IsOf(text[at + 2], kHexDigit);
}

bool IsSegmentCharacter(char16_t unit) {
    return IsUnreserved(unit) || IsSubDelimiter(unit) || unit == u':' || unit == u'@';
}

void AppendPercentEncoded(std::u16string& out, std::string_view bytes) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        out += u'%';
        out += kHex[value >> 4];
        out += kHex[value & 15];
    }
}

void AppendUrlSegment(std::u16string& out, const String& name) {
    bool plain = true;
    for (std::size_t i = 0; i < name.Length() && plain; ++i) plain = IsSegmentCharacter(name[i]);
    if (plain) {
        out += name.Text();
        return;
    }
    // Bytes kept from invalid UTF-8 names are encoded as the bytes they were.
    for (const char byte : name.ToNativeBytes()) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x80 && IsSegmentCharacter(value)) {
            out += static_cast<char16_t>(value);
        } else {
            AppendPercentEncoded(out, std::string_view(&byte, 1));
        }
    }
}

String EncodeUrlSegment(const String& name) {
    std::u16string out;
    AppendUrlSegment(out, name);
    return String(std::move(out));
}

}  // namespace linkloom
