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

String EscapeXml(const String& text) {
    if (text.Text().find_first_of(u"&<>\"'") == std::u16string::npos) return text;
    std::u16string out;
    out.reserve(text.Length());
    for (std::size_t i = 0; i < text.Length(); ++i) {
        switch (const char16_t unit = text[i]) {
        case u'&': out += u"&amp;"; break;
        case u'<': out += u"&lt;"; break;
        case u'>': out += u"&gt;"; break;
        case u'"': out += u"&quot;"; break;
        case u'\'': out += u"&apos;"; break;
        default: out += unit; break;
        }
    }
    return String(std::move(out));
}

String FormatEntry(const SitemapEntry& entry, const char16_t* element) {
    return String(u"<") + element + u">\r\n <loc>" + EscapeXml(entry.location) + u"</loc>\r\n <lastmod>" +
           entry.lastmod + u"</lastmod>\r\n</" + element + u">\r\n";
}

}  // namespace linkloom
