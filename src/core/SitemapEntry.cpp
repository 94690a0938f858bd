#include "core/SitemapEntry.h"

namespace linkloom {

namespace {

struct CivilDate {
    long long year;
    int month;
    int day;
};

// Days since 1970-01-01 to a proleptic Gregorian date.
CivilDate FromDays(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {yearOfEra + era * 400 + (month <= 2), month, day};
}

long long FloorDiv(long long value, long long divisor) {
    return value / divisor - (value % divisor != 0 && (value < 0) != (divisor < 0));
}

// The characters a path segment holds as they are: RFC 3986's unreserved characters,
// sub-delimiters, ':' and '@'.
struct SegmentCharacters {
    bool keeps[128];
    constexpr SegmentCharacters() : keeps() {
        for (char c = 'A'; c <= 'Z'; ++c) keeps[static_cast<int>(c)] = keeps[c + 32] = true;
        for (char c = '0'; c <= '9'; ++c) keeps[static_cast<int>(c)] = true;
        for (const char c : "-._~!$&'()*+,;=:@") keeps[static_cast<int>(c)] = c != 0;
    }
};
constexpr SegmentCharacters kSegment;

bool KeepsInUrl(char16_t unit) { return unit < 128 && kSegment.keeps[unit]; }

// XML's entity reference for a character that may not stand as it is, or null.
const char* EntityFor(char16_t unit) {
    switch (unit) {
    case u'&': return "&amp;";
    case u'<': return "&lt;";
    case u'>': return "&gt;";
    case u'"': return "&quot;";
    case u'\'': return "&apos;";
    default: return nullptr;
    }
}

void AppendAscii(std::u16string& out, std::string_view text) { out.append(text.begin(), text.end()); }
void AppendAscii(std::string& out, std::string_view text) { out.append(text); }

void AppendText(std::u16string& out, std::u16string_view text) { out.append(text); }
void AppendText(std::string& out, std::u16string_view text) {
    std::size_t ascii = 0;
    while (ascii < text.size() && text[ascii] < 0x80) ++ascii;
    out.append(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(ascii));
    if (ascii < text.size()) out += String(text.substr(ascii)).ToUtf8();
}

// The text with & < > " ' as entity references.
template <typename Text>
void AppendEscaped(Text& out, std::u16string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* entity = EntityFor(text[i]);
        if (!entity) continue;
        AppendText(out, text.substr(start, i - start));
        AppendAscii(out, entity);
        start = i + 1;
    }
    AppendText(out, text.substr(start));
}

// The four lines of an element, in UTF-16 for the desktop program's document or UTF-8 for files.
template <typename Text>
void AppendEntry(Text& out, const SitemapEntry& entry, std::u16string_view element) {
    AppendAscii(out, "<");
    AppendText(out, element);
    AppendAscii(out, ">\r\n <loc>");
    AppendEscaped(out, entry.location.Text());
    AppendAscii(out, "</loc>\r\n <lastmod>");
    AppendText(out, entry.lastmod.Text());
    AppendAscii(out, "</lastmod>\r\n</");
    AppendText(out, element);
    AppendAscii(out, ">\r\n");
}

}  // namespace

String LastmodText(platform::FileTime time, bool withTime, std::int64_t utcOffsetSeconds) {
    constexpr long long kSecondsFrom1601To1970 = 11644473600LL;
    const long long local =
        static_cast<long long>(time / 10000000ULL) - kSecondsFrom1601To1970 + utcOffsetSeconds;
    const long long days = FloorDiv(local, 86400);
    const long long secondOfDay = local - days * 86400;
    const CivilDate date = FromDays(days);

    String text = String::FromInt(date.year) + u'-' + String::FromIntPadded(date.month, 2) + u'-' +
                  String::FromIntPadded(date.day, 2);
    if (!withTime) return text;

    const long long offsetMinutes = (utcOffsetSeconds >= 0 ? utcOffsetSeconds + 30 : utcOffsetSeconds - 30) / 60;
    const long long magnitude = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    text += u'T';
    text += String::FromIntPadded(secondOfDay / 3600, 2) + u':' + String::FromIntPadded(secondOfDay / 60 % 60, 2) +
            u':' + String::FromIntPadded(secondOfDay % 60, 2);
    text += offsetMinutes < 0 ? u'-' : u'+';
    text += String::FromIntPadded(magnitude / 60, 2) + u':' + String::FromIntPadded(magnitude % 60, 2);
    return text;
}

String EncodeUrlSegment(const String& name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::u16string out;
    out.reserve(name.Length());
    bool plain = true;
    for (std::size_t i = 0; i < name.Length() && plain; ++i) plain = KeepsInUrl(name[i]);
    if (plain) return name;
    // Bytes kept from invalid UTF-8 names are encoded as the bytes they were.
    for (const char byte : name.ToNativeBytes()) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x80 && KeepsInUrl(value)) {
            out += static_cast<char16_t>(value);
        } else {
            out += u'%';
            out += static_cast<char16_t>(kHex[value >> 4]);
            out += static_cast<char16_t>(kHex[value & 15]);
        }
    }
    return String(std::move(out));
}

String EscapeXml(const String& text) {
    std::u16string out;
    AppendEscaped(out, text.Text());
    return String(std::move(out));
}

String FormatEntry(const SitemapEntry& entry, const char16_t* element) {
    std::u16string out;
    AppendEntry(out, entry, element);
    return String(std::move(out));
}

std::string FormatEntryUtf8(const SitemapEntry& entry, const char16_t* element) {
    std::string out;
    out.reserve(64 + entry.location.Length() + entry.lastmod.Length());
    AppendEntry(out, entry, element);
    return out;
}

}  // namespace linkloom
