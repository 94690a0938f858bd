#include "core/UrlText.h"

namespace linkloom {

bool IsUnreserved(char16_t unit) {
    return (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z') || (unit >= u'0' && unit <= u'9') ||
           unit == u'-' || unit == u'.' || unit == u'_' || unit == u'~';
}

bool IsSubDelimiter(char16_t unit) {
    return unit != 0 && std::u16string_view(u"!$&'()*+,;=").find(unit) != std::u16string_view::npos;
}

bool IsHexDigit(char16_t unit) {
    return (unit >= u'0' && unit <= u'9') || (unit >= u'A' && unit <= u'F') || (unit >= u'a' && unit <= u'f');
}

bool IsSegmentCharacter(char16_t unit) {
    return IsUnreserved(unit) || IsSubDelimiter(unit) || unit == u':' || unit == u'@';
}

void AppendPercentEncoded(std::u16string& out, const std::string& bytes) {
    for (const char byte : bytes) {
        out += u'%';
        out += String::FromHexPadded(static_cast<unsigned char>(byte), 2).Text();
    }
}

String EncodeUrlSegment(const String& name) {
    bool plain = true;
    for (std::size_t i = 0; i < name.Length() && plain; ++i) plain = IsSegmentCharacter(name[i]);
    if (plain) return name;
    std::u16string out;
    out.reserve(name.Length() * 3);
    // Bytes kept from invalid UTF-8 names are encoded as the bytes they were.
    for (const char byte : name.ToNativeBytes()) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x80 && IsSegmentCharacter(value)) {
            out += static_cast<char16_t>(value);
        } else {
            AppendPercentEncoded(out, std::string(1, byte));
        }
    }
    return String(std::move(out));
}

}  // namespace linkloom
