#include <gtest/gtest.h>

#include "platform/TextCompare.h"

namespace linkloom::platform {
namespace {

TEST(TextCompare, ContainsFindsThePartInAnyCaseAnywhereButNeverPastTheEnd) {
    EXPECT_TRUE(ContainsNoCase(u"NoIndex, follow", u"noindex"));
    EXPECT_TRUE(ContainsNoCase(u"content=\"noINDEX\"", u"noindex"));
    EXPECT_TRUE(ContainsNoCase(u"robots: NOINDEX", u"noindex"));
    EXPECT_TRUE(ContainsNoCase(u"<!doctype html>", u"!DOCTYPE"));
    EXPECT_TRUE(ContainsNoCase(u"nnnoindex", u"noindex"));
    EXPECT_FALSE(ContainsNoCase(u"robots: noinde", u"noindex"));
    EXPECT_FALSE(ContainsNoCase(u"no index", u"noindex"));
    EXPECT_FALSE(ContainsNoCase(u"", u"noindex"));
    EXPECT_FALSE(ContainsNoCase(u"!doctypf", u"!DOCTYPE"));
    // Letters outside ASCII fold too; other units match only themselves.
    EXPECT_TRUE(ContainsNoCase(u"MY TEMPLATE \u00C9T\u00C9", u"template \u00E9t\u00E9"));
    EXPECT_FALSE(ContainsNoCase(u"\u00D7", u"\u00F7"));
}

TEST(TextCompare, CompareOrdersWithoutRegardToCase) {
    EXPECT_EQ(CompareNoCase(u"HTM", u"htm"), 0);
    EXPECT_LT(CompareNoCase(u"htm", u"html"), 0);
    EXPECT_GT(CompareNoCase(u"PHP", u"htm"), 0);
}

}  // namespace
}  // namespace linkloom::platform
