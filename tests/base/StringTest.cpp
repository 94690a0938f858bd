#include <gtest/gtest.h>

#include "base/String.h"
#include "support/StringPrinter.h"

namespace linkloom {
namespace {

TEST(String, FindsUnitsAndTextsOrMinusOne) {
    const String text = u"a|b|c";
    EXPECT_EQ(text.Find(u'|'), 1);
    EXPECT_EQ(text.Find(u'|', 2), 3);
    EXPECT_EQ(text.Find(u'x'), String::npos);
    EXPECT_EQ(text.Find(String(u"b|c")), 2);
    EXPECT_EQ(String().Find(u'a'), String::npos);
}

TEST(String, TrimsWhiteSpaceAtEitherEndOnly) {
    String text = u" \t\u00A0 mid dle \r\n\u3000";
    EXPECT_EQ(String(text).TrimLeft(), String(u"mid dle \r\n\u3000"));
    EXPECT_EQ(String(text).TrimRight(), String(u" \t\u00A0 mid dle"));
    EXPECT_TRUE(String(u"   ").TrimLeft().IsEmpty());
}

TEST(String, ReplaceAllCountsNonOverlappingOccurrences) {
    String text = u",,,,,";
    EXPECT_EQ(text.ReplaceAll(u",,", u","), 2);
    EXPECT_EQ(text, String(u",,,"));
    EXPECT_EQ(text.ReplaceAll(u"x", u"y"), 0);
    EXPECT_EQ(text.ReplaceAll(u"", u"y"), 0);
    String dots = u".htm.";
    EXPECT_EQ(dots.ReplaceAll(u".", u""), 2);
    EXPECT_EQ(dots, String(u"htm"));
}

TEST(String, Utf8RoundTripsEvenInvalidBytes) {
    const std::string valid = "caf\xC3\xA9 \xF0\x9F\x98\x80";
    EXPECT_EQ(String::FromUtf8(valid).Length(), 7u);
    EXPECT_EQ(String::FromUtf8(valid).ToUtf8(), valid);

    // Truncated, overlong and stray bytes survive as themselves for the file system...
    const std::string invalid = "a\xE2\x82\xC0\xAF\xFF\xED\xA0\x80z";
    const String decoded = String::FromUtf8(invalid);
    EXPECT_EQ(decoded.ToNativeBytes(), invalid);
    // ...and as replacement characters for output text.
    EXPECT_EQ(decoded.ToUtf8().find('\xFF'), std::string::npos);
    EXPECT_EQ(String(u"x\xD800y").ToUtf8(), "x\xEF\xBF\xBDy");
}

TEST(String, FormatsIntegers) {
    EXPECT_EQ(String::FromInt(0), String(u"0"));
    EXPECT_EQ(String::FromInt(-42), String(u"-42"));
    EXPECT_EQ(String::FromIntPadded(7, 2), String(u"07"));
    EXPECT_EQ(String::FromIntPadded(2024, 2), String(u"2024"));
    EXPECT_EQ(String::FromHexPadded(0, 2), String(u"00"));
    EXPECT_EQ(String::FromHexPadded(0xAF, 2), String(u"AF"));
    EXPECT_EQ(String::FromHexPadded(0x1F600, 2), String(u"1F600"));
}

}  // namespace
}  // namespace linkloom
