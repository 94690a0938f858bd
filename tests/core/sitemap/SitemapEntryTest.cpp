#include <gtest/gtest.h>

#include "core/sitemap/SitemapEntry.h"
#include "support/StringPrinter.h"
#include "support/TempTree.h"

namespace linkloom {
namespace {

// 2024-03-03 09:05:07 UTC.
constexpr platform::FileTime kMorning = 133539303070000000ULL;
constexpr platform::FileTime kSecond = platform::kFileTimeUnitsPerSecond;

TEST(LastmodText, IsTheLocalDateOrTheW3cDateTime) {
    EXPECT_EQ(LastmodText(kMorning, false, 0), String(u"2024-03-03"));
    EXPECT_EQ(LastmodText(kMorning, true, 0), String(u"2024-03-03T09:05:07+00:00"));
    EXPECT_EQ(LastmodText(kMorning, true, 3600), String(u"2024-03-03T10:05:07+01:00"));
    EXPECT_EQ(LastmodText(kMorning, true, -(9 * 3600 + 30 * 60)), String(u"2024-03-02T23:35:07-09:30"));
    EXPECT_EQ(LastmodText(kMorning, true, 5 * 3600 + 45 * 60), String(u"2024-03-03T14:50:07+05:45"));
}

TEST(LastmodText, CrossesDaysMonthsAndYearsWithTheOffset) {
    // 2023-12-31 23:30:00 UTC.
    const platform::FileTime newYearsEve = 133485390000000000ULL;
    EXPECT_EQ(LastmodText(newYearsEve, false, 0), String(u"2023-12-31"));
    EXPECT_EQ(LastmodText(newYearsEve, false, 3600), String(u"2024-01-01"));
    // 2024-02-29 00:00:30 UTC, a leap day.
    const platform::FileTime leapDay = 133536384300000000ULL;
    EXPECT_EQ(LastmodText(leapDay, true, 0), String(u"2024-02-29T00:00:30+00:00"));
    EXPECT_EQ(LastmodText(leapDay, false, -60), String(u"2024-02-28"));
    EXPECT_EQ(LastmodText(0, false, 0), String(u"1601-01-01"));
    EXPECT_EQ(LastmodText(kMorning + kSecond / 2, true, 0), String(u"2024-03-03T09:05:07+00:00"));
}

TEST(LastmodText, WritesTimesPastTheYear9999AsItsLastSecond) {
    // 9999-12-31 23:59:59 UTC, the last second a four-digit year names.
    const platform::FileTime lastSecond = 265046774399ULL * kSecond;
    EXPECT_EQ(LastmodText(lastSecond + kSecond - 1, true, 0), String(u"9999-12-31T23:59:59+00:00"));
    EXPECT_FALSE(LastmodClamped(lastSecond + kSecond - 1, 0));
    EXPECT_EQ(LastmodText(lastSecond + kSecond, true, 0), String(u"9999-12-31T23:59:59+00:00"));
    EXPECT_TRUE(LastmodClamped(lastSecond + kSecond, 0));
    // The limit is one of local time.
    EXPECT_FALSE(LastmodClamped(lastSecond - 3600 * kSecond, 3600));
    EXPECT_TRUE(LastmodClamped(lastSecond - 3599 * kSecond, 3600));
    EXPECT_EQ(LastmodText(lastSecond, true, 3600), String(u"9999-12-31T23:59:59+01:00"));
    EXPECT_FALSE(LastmodClamped(lastSecond, -3600));
    EXPECT_EQ(LastmodText(lastSecond, true, -3600), String(u"9999-12-31T22:59:59-01:00"));

    const platform::FileTime latest = ~platform::FileTime(0);
    EXPECT_EQ(LastmodText(latest, false, 0), String(u"9999-12-31"));
    EXPECT_TRUE(LastmodClamped(latest, 0));
    EXPECT_FALSE(LastmodClamped(0, 0));
    EXPECT_FALSE(LastmodClamped(kMorning, 14 * 3600));
}

TEST(LastmodText, HoldsAnyOffsetToThoseOfRealZones) {
    const std::int64_t extremes[] = {INT64_MIN, INT64_MIN + 1, -15 * 3600, 15 * 3600, INT64_MAX};
    for (const std::int64_t offset : extremes) {
        const String sign = offset < 0 ? u"-" : u"+";
        EXPECT_EQ(LastmodText(kMorning, true, offset).Mid(19), sign + u"14:00") << offset;
        EXPECT_EQ(LastmodText(~platform::FileTime(0), true, offset), String(u"9999-12-31T23:59:59") + sign + u"14:00");
        EXPECT_TRUE(LastmodClamped(~platform::FileTime(0), offset));
    }
    EXPECT_EQ(LastmodText(0, true, INT64_MIN), String(u"1600-12-31T10:00:00-14:00"));
    EXPECT_FALSE(LastmodClamped(0, INT64_MIN));
    EXPECT_EQ(LastmodText(0, true, INT64_MAX), String(u"1601-01-01T14:00:00+14:00"));
}

TEST(Location, PercentEncodesNamesAsUrlSegments) {
    EXPECT_EQ(EncodeUrlSegment(u"index.htm"), String(u"index.htm"));
    EXPECT_EQ(EncodeUrlSegment(u"a b&c.htm"), String(u"a%20b&c.htm"));
    EXPECT_EQ(EncodeUrlSegment(u"a#b%c?.htm"), String(u"a%23b%25c%3F.htm"));
    EXPECT_EQ(EncodeUrlSegment(u"caf\u00E9.htm"), String(u"caf%C3%A9.htm"));
    EXPECT_EQ(EncodeUrlSegment(u"~!$'()*+,;=:@-_.htm"), String(u"~!$'()*+,;=:@-_.htm"));
    EXPECT_EQ(EncodeUrlSegment(u"<\"[]\\^`{|}>"), String(u"%3C%22%5B%5D%5C%5E%60%7B%7C%7D%3E"));
    // A name that was not valid UTF-8 on disk keeps its own bytes.
    EXPECT_EQ(EncodeUrlSegment(String::FromUtf8("x\xFF.htm")), String(u"x%FF.htm"));
}

TEST(Location, IsEscapedForXmlInTheEntry) {
    EXPECT_EQ(EscapeXml(u"a&b<c>d\"e'f"), String(u"a&amp;b&lt;c&gt;d&quot;e&apos;f"));
    const String entry =
        FormatEntry({String(u"https://x.example/?a=1&b=2/") + EncodeUrlSegment(u"a b&c.htm"), u"2024-03-03"});
    EXPECT_EQ(entry, String(u"<url>\r\n <loc>https://x.example/?a=1&amp;b=2/a%20b&amp;c.htm</loc>\r\n"
                            u" <lastmod>2024-03-03</lastmod>\r\n</url>\r\n"));
    // An entry without a date has no lastmod element at all.
    EXPECT_EQ(FormatEntry({u"https://x.example/a", String()}),
              String(u"<url>\r\n <loc>https://x.example/a</loc>\r\n</url>\r\n"));
}

TEST(Location, IsCompleteHoweverLong) {
    const String name = String(std::u16string(3000, u'n')) + u".htm";
    const String entry = FormatEntry({String(u"https://x.example/") + name, u"2024-03-03"});
    EXPECT_EQ(entry, String(u"<url>\r\n <loc>https://x.example/") + name +
                         u"</loc>\r\n <lastmod>2024-03-03</lastmod>\r\n</url>\r\n");
}

}  // namespace
}  // namespace linkloom
