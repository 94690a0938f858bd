#include "core/lastmod/MetaLastmod.h"

#include "base/AsciiCharacters.h"
#include "core/markup/JsonDates.h"
#include "core/markup/W3cDatetime.h"
#include "platform/UnixTime.h"

namespace linkloom {

namespace {

// The file time of a W3C Datetime value, blanks around it allowed.
std::optional<platform::FileTime> DateIn(String value, std::int64_t utcOffsetSeconds) {
    value.TrimLeft();
    value.TrimRight();
    const auto date = ParseW3cDatetime(value.ToUtf8(), utcOffsetSeconds);
    platform::FileTime time = 0;
    if (!date || !platform::FileTimeFromUnix(date->first, 0, time)) return std::nullopt;
    return time;
}

bool IsJsonLd(const HeadTag& tag) {
    const auto type = tag.Attribute(u"type");
    if (!type) return false;
    String text(*type);
    text.TrimLeft();
    text.TrimRight();
    const std::u16string& value = text.Text();
    constexpr std::u16string_view kType = u"application/ld+json";
    if (!AsciiEqualsNoCase(std::u16string_view(value).substr(0, kType.size()), kType)) return false;
    // Parameters may follow, as in "application/ld+json; charset=utf-8".
    return value.size() == kType.size() || value[kType.size()] == u';' || String::IsSpace(value[kType.size()]);
}

}  // namespace

std::optional<platform::FileTime> HeadDate(const HeadTags& tags, std::int64_t utcOffsetSeconds) {
    for (const HeadTag& tag : tags) {
        if (tag.name == u"meta") {
            const auto content = tag.Attribute(u"content");
            if (content &&
                (tag.HasToken(u"property", u"article:modified_time") || tag.HasToken(u"itemprop", u"datemodified"))) {
                if (const auto date = DateIn(String(*content), utcOffsetSeconds)) return date;
            }
        } else if (tag.name == u"script" && IsJsonLd(tag)) {
            for (const std::u16string& value : DateModifiedValues(tag.text)) {
                if (const auto date = DateIn(String(value), utcOffsetSeconds)) return date;
            }
        }
    }
    return std::nullopt;
}

SourceAnswer MetaLastmod::DateOf(const DatedPage& page) {
    return SourceAnswer::Of(HeadDate(page.facts.headTags, utcOffset_));
}

}  // namespace linkloom
