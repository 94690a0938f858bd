#include <gtest/gtest.h>

#include "support/StringPrinter.h"
#include "support/TreeRun.h"

namespace linkloom {
namespace {

using test::FakeFront;
using test::FrontFor;
using test::Locations;
using test::TempTree;
using Strings = std::vector<std::string>;

Strings Walk(FakeFront& host) {
    host.Run();
    return Locations(host.document);
}

class FolderWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.File("b.HTM");
        tree.File("a.htm");
        tree.File("c.php");
        tree.File("d.txt");
        tree.File("Docs/Old/page.htm");
        tree.File("Docs/index.htm");
        tree.File("Docs/z.php");
        tree.File("e.htm");
    }
    TempTree tree;
};

TEST_F(FolderWalkTest, StaysInTheFolderWithoutSubfolders) {
    FakeFront host = FrontFor(tree, u"htm,php", test::ContentTests(false, false));
    EXPECT_EQ(Walk(host), (Strings{"https://example.com/a.htm", "https://example.com/b.HTM",
                                   "https://example.com/c.php", "https://example.com/e.htm"}));
}

TEST_F(FolderWalkTest, SetsTheTitleOncePerFolderDeepestFirst) {
    FakeFront host = FrontFor(tree);
    Walk(host);
    EXPECT_EQ(host.CallsStartingWith("title"),
              (Strings{"title working... (5 files found)", "title working... (6 files found)",
                       "title working... (7 files found)"}));
    EXPECT_EQ(host.CallsStartingWith("hide").size(), 1u);
}

TEST_F(FolderWalkTest, WithoutAProgressWindowRunsToTheEndSilently) {
    FakeFront host = FrontFor(tree);
    host.hasProgress = false;
    host.cancelAtPump = 1;
    EXPECT_EQ(Walk(host).size(), 7u);
    EXPECT_TRUE(host.CallsStartingWith("title").empty());
    EXPECT_TRUE(host.CallsStartingWith("hide").empty());
}

TEST(FolderSelection, SkipsTemplateNamesButNotTemplateFolders) {
    TempTree tree;
    tree.File("MyTemplate.htm");
    tree.File("templates/page.htm");
    tree.File("page.htm");
    SelectionOptions skipping = test::SubfoldersOnly();
    skipping.skipTemplateNames = true;
    FakeFront host = FrontFor(tree, u"htm", skipping);
    EXPECT_EQ(Walk(host), (Strings{"https://example.com/page.htm", "https://example.com/templates/page.htm"}));
    FakeFront all = FrontFor(tree, u"htm");
    EXPECT_EQ(Walk(all).size(), 3u);
}

}  // namespace
}  // namespace linkloom
