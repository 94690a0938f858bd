#include <gtest/gtest.h>

#include "core/walk/PathPattern.h"

namespace linkloom {
namespace {

bool Matches(const char16_t* pattern, const char16_t* path, bool isFolder = false) {
    PathPattern parsed;
    EXPECT_TRUE(parsed.Parse(pattern)) << String(pattern).ToUtf8();
    return parsed.Matches(path, isFolder);
}

TEST(PathPatternTest, MatchesTheWholePathNameByName) {
    EXPECT_TRUE(Matches(u"*.htm", u"Index.HTM"));
    EXPECT_FALSE(Matches(u"*.htm", u"docs/index.htm"));
    EXPECT_TRUE(Matches(u"docs/*", u"DOCS/a.htm"));
    EXPECT_FALSE(Matches(u"docs/*", u"docs"));
    EXPECT_TRUE(Matches(u"p?ge.htm", u"page.htm"));
    EXPECT_FALSE(Matches(u"p?ge.htm", u"pge.htm"));
    EXPECT_TRUE(Matches(u"*a*b*", u"xxaxxbxx"));
    EXPECT_FALSE(Matches(u"*a*b", u"xxbxxa"));
}

TEST(PathPatternTest, DoubleStarSpansAnyNumberOfFolders) {
    EXPECT_TRUE(Matches(u"**/x.htm", u"x.htm"));
    EXPECT_TRUE(Matches(u"**/x.htm", u"a/b/c/x.htm"));
    EXPECT_TRUE(Matches(u"a/**/x.htm", u"a/x.htm"));
    EXPECT_FALSE(Matches(u"a/**/x.htm", u"b/a/x.htm"));
    EXPECT_TRUE(Matches(u"Private/**", u"private", true));
    EXPECT_TRUE(Matches(u"Private/**", u"private/deep/file.htm"));
    EXPECT_FALSE(Matches(u"Private/**", u"docs/private", true));
}

TEST(PathPatternTest, DoubleStarsGoBackOnlyAsFarAsTheyMust) {
    EXPECT_TRUE(Matches(u"**/b/c", u"b/b/c"));
    EXPECT_TRUE(Matches(u"a/**/b/**/c", u"a/b/x/b/y/c"));
    EXPECT_FALSE(Matches(u"a/**/b/**/c", u"a/c/b"));
    EXPECT_TRUE(Matches(u"**/**/x/**", u"x", true));
    EXPECT_TRUE(Matches(u"**/*a*/**/*b", u"q/xay/z/yb"));
    EXPECT_FALSE(Matches(u"**/*a*/**/*b", u"q/xy/z/yb"));
}

// The double-star inputs would keep a matcher that tries every split of the path busy for years.
TEST(PathPatternTest, ManyStarsMatchInPolynomialTime) {
    std::u16string run;
    for (int i = 0; i < 1000; ++i) run += u"**/";
    EXPECT_TRUE(Matches((run + u"x.htm").c_str(), u"a/b/c/x.htm"));
    EXPECT_FALSE(Matches((run + u"x.htm").c_str(), u"a/b/c/y.htm"));

    std::u16string alternating, path;
    for (int i = 0; i < 1000; ++i) alternating += u"**/a/";
    for (int i = 0; i < 40; ++i) path += u"a/";
    EXPECT_FALSE(Matches((alternating + u"b").c_str(), (path + u"c").c_str()));
    EXPECT_FALSE(Matches((alternating + u"b").c_str(), (path + u"b").c_str()));
    EXPECT_TRUE(Matches((u"**/a/**/a/**/a/" + std::u16string(u"b")).c_str(), (path + u"b").c_str()));

    std::u16string stars;
    for (int i = 0; i < 1000; ++i) stars += u"*a";
    EXPECT_FALSE(Matches((stars + u"b").c_str(), (std::u16string(200, u'a') + u"c").c_str()));
}

TEST(PathPatternTest, SetsRangesAndNegation) {
    EXPECT_TRUE(Matches(u"[a-c]x", u"Bx"));
    EXPECT_FALSE(Matches(u"[a-c]x", u"dx"));
    EXPECT_TRUE(Matches(u"[!a-c]x", u"dx"));
    EXPECT_FALSE(Matches(u"[^a-c]x", u"ax"));
    EXPECT_TRUE(Matches(u"[]]", u"]"));
    EXPECT_TRUE(Matches(u"*[0-9].htm", u"page7.htm"));
}

TEST(PathPatternTest, TrailingSlashMatchesFoldersOnly) {
    EXPECT_TRUE(Matches(u"drafts/", u"Drafts", true));
    EXPECT_FALSE(Matches(u"drafts/", u"drafts", false));
    EXPECT_TRUE(Matches(u"drafts", u"drafts", false));
}

TEST(PathPatternTest, BackslashSeparatesNamesOnlyWhereNoNameHoldsOne) {
    PathPattern windows, posix;
    ASSERT_TRUE(windows.Parse(u"about\\", PathStyle::Windows));
    EXPECT_TRUE(windows.Matches(u"About", true));
    EXPECT_FALSE(windows.Matches(u"about", false));
    ASSERT_TRUE(windows.Parse(u"docs\\*.htm", PathStyle::Windows));
    EXPECT_TRUE(windows.Matches(u"docs/a.htm", false));
    ASSERT_TRUE(posix.Parse(u"docs\\*.htm", PathStyle::Posix));
    EXPECT_FALSE(posix.Matches(u"docs/a.htm", false));
    EXPECT_TRUE(posix.Matches(u"docs\\a.htm", false));
}

TEST(PathPatternTest, RejectsEmptyPatternsAndUnclosedSets) {
    for (const char16_t* text : {u"", u"/", u"[abc", u"a/[b/c]", u"x[]", u"[!"}) {
        PathPattern pattern;
        EXPECT_FALSE(pattern.Parse(text)) << String(text).ToUtf8();
    }
}

}  // namespace
}  // namespace linkloom
