#include <gtest/gtest.h>

#include "cli/output/SitemapUrl.h"
#include "support/TempTree.h"

namespace linkloom::cli {
namespace {

TEST(SitemapUrl, FollowsFromThePathInsideTheFolderOrIsGivenOrAssumed) {
    test::TempTree tree;
    tree.Folder("site/maps dir");
    tree.Folder("elsewhere");
    const String site = tree.Root() + u"site";
    const String root = u"https://e.x/";

    const SitemapUrl inside(OutputNames(site + u"/maps dir/../maps dir/s.xml", true), site, root, std::nullopt);
    EXPECT_EQ(inside.File().ToUtf8(), "https://e.x/maps%20dir/s.xml.gz");
    EXPECT_EQ(inside.Folder().ToUtf8(), "https://e.x/maps%20dir/");
    EXPECT_FALSE(inside.Assumed());
    EXPECT_EQ(SitemapUrl(OutputNames(site + u"/s.xml", false), site + u"/", root, std::nullopt).File().ToUtf8(),
              "https://e.x/s.xml");

    const SitemapUrl outside(OutputNames(tree.Root() + u"elsewhere/s.xml", false), site, root, std::nullopt);
    EXPECT_EQ(outside.File().ToUtf8(), "https://e.x/s.xml");
    EXPECT_TRUE(outside.Assumed());
    // A neighbour whose name begins with the folder's is not inside it.
    tree.Folder("site2");
    EXPECT_TRUE(SitemapUrl(OutputNames(tree.Root() + u"site2/s.xml", false), site, root, std::nullopt).Assumed());

    const SitemapUrl given(OutputNames(site + u"/maps dir/s.xml", false), site, root,
                           SitemapUrl::Accept(u"HTTPS://Cdn.E.x:443/m/s.xml"));
    EXPECT_EQ(given.File().ToUtf8(), "https://cdn.e.x/m/s.xml");
    EXPECT_EQ(given.Folder().ToUtf8(), "https://cdn.e.x/m/");
    EXPECT_FALSE(given.Assumed());
}

TEST(SitemapUrl, AcceptsOnlyTheWebUrlOfAFile) {
    for (const char16_t* text : {u"ftp://e.x/s.xml", u"https://e.x/maps/", u"https:///s.xml", u"s.xml",
                                 u"https://e.x/s.xml#top", u"https://e.x:port/s.xml"}) {
        EXPECT_FALSE(SitemapUrl::Accept(text)) << String(text).ToUtf8();
    }
    EXPECT_EQ(SitemapUrl::Accept(u"https://e.x/s%c3%bc.xml")->ToUtf8(), "https://e.x/s%C3%BC.xml");
}

}  // namespace
}  // namespace linkloom::cli
