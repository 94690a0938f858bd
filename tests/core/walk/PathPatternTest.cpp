#include <gtest/gtest.h>

#include "core/walk/PathPattern.h"

namespace linkloom {
namespace {

bool Matches(const char16_t* pattern, const char16_t* path, bool isFolder = false) {
    PathPattern parsed;
    EXPECT_TRUE(parsed.Parse(pattern)) << String(pattern).ToUtf8();
    return parsed.Matches(path, isFolder);
}

TEST(PathPatternTest, MatchesPathsNameByNameWithStarsSetsAndFolderMarks) {
    // clang-format off
    const struct {
        const char16_t* pattern;
        const char16_t* path;
        bool isFolder;
        bool matches;
    } cases[] = {
        // The whole path, name by name, in any letter case.
        {u"*.htm", u"Index.HTM", false, true}, {u"*.htm", u"docs/index.htm", false, false},
        {u"docs/*", u"DOCS/a.htm", false, true}, {u"docs/*", u"docs", false, false},
        {u"p?ge.htm", u"page.htm", false, true}, {u"p?ge.htm", u"pge.htm", false, false},
        {u"*a*b*", u"xxaxxbxx", false, true}, {u"*a*b", u"xxbxxa", false, false},
        // A double star spans any number of folders, and goes back only as far as it must.
        {u"**/x.htm", u"x.htm", false, true}, {u"**/x.htm", u"a/b/c/x.htm", false, true},
        {u"a/**/x.htm", u"a/x.htm", false, true}, {u"a/**/x.htm", u"b/a/x.htm", false, false},
        {u"Private/**", u"private", true, true}, {u"Private/**", u"private/deep/file.htm", false, true},
        {u"Private/**", u"docs/private", true, false}, {u"**/b/c", u"b/b/c", false, true},
        {u"a/**/b/**/c", u"a/b/x/b/y/c", false, true}, {u"a/**/b/**/c", u"a/c/b", false, false},
        {u"**/**/x/**", u"x", true, true}, {u"**/*a*/**/*b", u"q/xay/z/yb", false, true},
        {u"**/*a*/**/*b", u"q/xy/z/yb", false, false},
        // Sets, ranges and negation.
        {u"[a-c]x", u"Bx", false, true}, {u"[a-c]x", u"dx", false, false}, {u"[!a-c]x", u"dx", false, true},
        {u"[^a-c]x", u"ax", false, false}, {u"[]]", u"]", false, true}, {u"*[0-9].htm", u"page7.htm", false, true},
        // A final slash matches folders only.
        {u"drafts/", u"Drafts", true, true}, {u"drafts/", u"drafts", false, false},
        {u"drafts", u"drafts", false, true}};
    // clang-format on
    for (const auto& row : cases) {
        EXPECT_EQ(Matches(row.pattern, row.path, row.isFolder), row.matches)
            << String(row.pattern).ToUtf8() << " " << String(row.path).ToUtf8();
    }
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
