#include "base/String.h"

#include "base/TextScan.h"
#include "base/Utf8.h"

namespace linkloom {

namespace {

// Walks the UTF-16 text; `lone` decides what an unpaired surrogate becomes.
template <typename Lone>
std::string EncodeUtf8(const std::u16string& text, Lone lone) {
    // Sitemaps are almost all ASCII: copy that run in one pass, then encode the rest.
    std::size_t ascii = 0;
    while (ascii < text.size() && text[ascii] < 0x80) ++ascii;
    std::string out(ascii, '\0');
    for (std::size_t i = 0; i < ascii; ++i) out[i] = static_cast<char>(text[i]);
    if (ascii == text.size()) return out;
    out.reserve(text.size() + text.size() / 2);
    for (std::size_t i = ascii; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsSurrogatePairAt(text, i)) {
            AppendUtf8(out, CombineSurrogates(unit, text[i + 1]));
            ++i;
        } else if (IsSurrogate(unit)) {
            lone(out, unit);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

}  // namespace

String String::FromUtf8(std::string_view utf8) {
    // Names and arguments are nearly always ASCII: widen that run in one pass.
    const std::size_t ascii = AsciiRun(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size());
    std::u16string out(utf8.begin(), utf8.begin() + static_cast<std::ptrdiff_t>(ascii));
    if (ascii == utf8.size()) return String(std::move(out));
    out.reserve(utf8.size());
    for (std::size_t at = ascii; at < utf8.size();) {
        char32_t code;
        const std::size_t length =
            DecodeUtf8Sequence(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size(), at, code);
        if (length == 0) {
            out += static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(utf8[at]));
            ++at;
            continue;
        }
        AppendUtf16(out, code);
        at += length;
    }
    return String(std::move(out));
}

std::string String::ToUtf8() const {
    return EncodeUtf8(text_, [](std::string& out, char16_t) { AppendUtf8(out, kReplacementCharacter); });
}

std::string String::ToNativeBytes() const {
    return EncodeUtf8(text_, [](std::string& out, char16_t unit) {
        if (unit >= 0xDC80 && unit <= 0xDCFF) {
            out += static_cast<char>(unit - 0xDC00);
        } else {
            AppendUtf8(out, kReplacementCharacter);
        }
    });
}

String String::FromInt(long long value) { return FromIntPadded(value, 1); }

String String::FromIntPadded(long long value, int width) {
    const bool negative = value < 0;
    unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    while (digits.size() < static_cast<std::size_t>(width)) digits.insert(digits.begin(), u'0');
    if (negative) digits.insert(digits.begin(), u'-');
    return String(std::move(digits));
}

String String::FromHexPadded(unsigned long long value, int width) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(kDigits[value & 15]));
        value >>= 4;
    } while (value != 0);
    while (digits.size() < static_cast<std::size_t>(width)) digits.insert(digits.begin(), u'0');
    return String(std::move(digits));
}

std::ptrdiff_t String::Find(char16_t unit, std::size_t from) const {
    const auto at = text_.find(unit, from);
    return at == std::u16string::npos ? npos : static_cast<std::ptrdiff_t>(at);
}

std::ptrdiff_t String::Find(const String& part, std::size_t from) const {
    const auto at = text_.find(part.text_, from);
    return at == std::u16string::npos ? npos : static_cast<std::ptrdiff_t>(at);
}

bool String::StartsWith(const String& prefix) const { return text_.compare(0, prefix.text_.size(), prefix.text_) == 0; }

bool String::IsSpace(char16_t unit) {
    if ((unit >= 0x09 && unit <= 0x0D) || unit == 0x20) return true;
    switch (unit) {
    case 0x85:
    case 0xA0:
    case 0x1680:
    case 0x2028:
    case 0x2029:
    case 0x202F:
    case 0x205F:
    case 0x3000: return true;
    default: return unit >= 0x2000 && unit <= 0x200A;
    }
}

String& String::TrimLeft() {
    std::size_t first = 0;
    while (first < text_.size() && IsSpace(text_[first])) ++first;
    text_.erase(0, first);
    return *this;
}

String& String::TrimRight() {
    std::size_t end = text_.size();
    while (end > 0 && IsSpace(text_[end - 1])) --end;
    text_.erase(end);
    return *this;
}

int String::ReplaceAll(const String& from, const String& to) {
    if (from.text_.empty()) return 0;
    int count = 0;
    std::u16string out;
    std::size_t start = 0;
    for (auto at = text_.find(from.text_); at != std::u16string::npos; at = text_.find(from.text_, start)) {
        out.append(text_, start, at - start);
        out += to.text_;
        start = at + from.text_.size();
        ++count;
    }
    if (count == 0) return 0;
    out.append(text_, start, std::u16string::npos);
    text_ = std::move(out);
    return count;
}

}  // namespace linkloom
