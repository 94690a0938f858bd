#include "core/sitemap/SitemapEntry.h"

#include <algorithm>

#include "base/CivilDate.h"
#include "platform/UnixTime.h"

namespace linkloom {

namespace {

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

void AppendWide(std::u16string& out, std::u16string_view text) { out.append(text); }
void AppendWide(std::string& out, std::u16string_view text) { out += String(text).ToUtf8(); }

// ASCII characters that XML takes as they are in a text.
struct PlainInXml {
    bool plain[128];
    constexpr PlainInXml() : plain() {
        for (int c = 0; c < 128; ++c) plain[c] = c != '&' && c != '<' && c != '>' && c != '"' && c != '\'';
    }
};
constexpr PlainInXml kXml;

// Text in the output's encoding, with & < > " ' as entity references when `escaped`. Entries
// are almost all ASCII: runs of it are copied whole, anything else goes to UTF-8 in runs.
template <typename Text>
void AppendText(Text& out, std::u16string_view text, bool escaped) {
    // Copied as it is checked; where a character needs more, the copy is cut there.
    const std::size_t at = out.size();
    out.resize(at + text.size());
    auto* to = &out[at];
    std::size_t i = 0;
    for (; i < text.size() && text[i] < 0x80 && (!escaped || kXml.plain[text[i]]); ++i) {
        to[i] = static_cast<typename Text::value_type>(text[i]);
    }
    if (i == text.size()) return;
    out.resize(at + i);
    while (i < text.size()) {
        std::size_t end = i;
        while (end < text.size() && text[end] < 0x80 && (!escaped || kXml.plain[text[end]])) ++end;
        if (end > i) {
            AppendText(out, text.substr(i, end - i), false);
            i = end;
        } else if (const char* entity = escaped ? EntityFor(text[i]) : nullptr) {
            AppendAscii(out, entity);
            ++i;
        } else {
            while (end < text.size() && text[end] >= 0x80) ++end;
            AppendWide(out, text.substr(i, end - i));
            i = end;
        }
    }
}

// The lines of an element, in UTF-16 for the desktop program's document or UTF-8 for files.
template <typename Text>
void AppendEntry(Text& out, const SitemapEntry& entry, std::u16string_view element) {
    AppendAscii(out, "<");
    AppendText(out, element, false);
    AppendAscii(out, ">\r\n <loc>");
    AppendText(out, entry.location.Text(), true);
    AppendAscii(out, "</loc>\r\n");
    if (!entry.lastmod.IsEmpty()) {
        AppendAscii(out, " <lastmod>");
        AppendText(out, entry.lastmod.Text(), false);
        AppendAscii(out, "</lastmod>\r\n");
    }
    for (const Alternate& alternate : entry.alternates) {
        AppendAscii(out, " <xhtml:link rel=\"alternate\" hreflang=\"");
        AppendText(out, alternate.language.Text(), true);
        AppendAscii(out, "\" href=\"");
        AppendText(out, alternate.location.Text(), true);
        AppendAscii(out, "\"/>\r\n");
    }
    for (const String& image : entry.images) {
        AppendAscii(out, " <image:image><image:loc>");
        AppendText(out, image.Text(), true);
        AppendAscii(out, "</image:loc></image:image>\r\n");
    }
    AppendAscii(out, "</");
    AppendText(out, element, false);
    AppendAscii(out, ">\r\n");
}

constexpr long long kMaxUtcOffset = 14 * 3600;

// Local time in seconds since 1970, the offset applied, and whether it had to be clamped.
struct LocalInstant {
    long long seconds;
    long long offset;
    bool clamped;
};

// A lastmod is a W3C date-time, whose year has four digits: 0001 to 9999. A file time counts from
// 1601, and the offset is held within the +-14:00 of real time zones (the range a W3C date-time
// may carry), so the earliest local time is late in 1600 and only the upper end can be passed:
// tmpfs, btrfs and XFS store times far beyond 9999, and a file time reaches the year 60056. Such a
// time is written as the last second of 9999-12-31 local time, the nearest one a lastmod can name.
LocalInstant LocalTimeOf(platform::FileTime time, std::int64_t utcOffsetSeconds) {
    // 10000-01-01T00:00:00 in seconds since 1970: the first instant whose year has five digits.
    constexpr long long kFiveDigitYears = 253402300800LL;
    const long long offset = std::clamp<std::int64_t>(utcOffsetSeconds, -kMaxUtcOffset, kMaxUtcOffset);
    const long long local = platform::UnixSecondsOf(time) + offset;
    if (local >= kFiveDigitYears) return {kFiveDigitYears - 1, offset, true};
    return {local, offset, false};
}

}  // namespace

bool LastmodClamped(platform::FileTime time, std::int64_t utcOffsetSeconds) {
    return LocalTimeOf(time, utcOffsetSeconds).clamped;
}

String LastmodText(platform::FileTime time, bool withTime, std::int64_t utcOffsetSeconds) {
    const LocalInstant local = LocalTimeOf(time, utcOffsetSeconds);
    const std::int64_t days = DayOfSecond(local.seconds);
    const std::int64_t secondOfDay = local.seconds - days * kSecondsPerDay;
    const CivilDate date = CivilFromDays(days);

    String text = String::FromIntPadded(date.year, 4) + u'-' + String::FromIntPadded(date.month, 2) + u'-' +
                  String::FromIntPadded(date.day, 2);
    if (!withTime) return text;

    const long long offsetMinutes = (local.offset >= 0 ? local.offset + 30 : local.offset - 30) / 60;
    const long long magnitude = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    text += u'T';
    text += String::FromIntPadded(secondOfDay / 3600, 2) + u':' + String::FromIntPadded(secondOfDay / 60 % 60, 2) +
            u':' + String::FromIntPadded(secondOfDay % 60, 2);
    text += offsetMinutes < 0 ? u'-' : u'+';
    text += String::FromIntPadded(magnitude / 60, 2) + u':' + String::FromIntPadded(magnitude % 60, 2);
    return text;
}

String EscapeXml(const String& text) {
    std::u16string out;
    AppendText(out, text.Text(), true);
    return String(std::move(out));
}

String FormatEntry(const SitemapEntry& entry, const char16_t* element) {
    std::u16string out;
    AppendEntry(out, entry, element);
    return String(std::move(out));
}

void AppendEntryUtf8(std::string& out, const SitemapEntry& entry, const char16_t* element) {
    AppendEntry(out, entry, element);
}

}  // namespace linkloom
