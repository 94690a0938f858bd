#include <gtest/gtest.h>

#include "platform/Directory.h"
#include "support/TempTree.h"

namespace linkloom {
namespace {

TEST(PathKind, TellsDirectoriesFromFilesFromNothing) {
    test::TempTree tree;
    const auto file = tree.File("a.htm", "x");
    tree.Folder("docs");
    EXPECT_EQ(platform::PathKind(tree.Root()), -1);
    EXPECT_EQ(platform::PathKind(test::ToEnginePath(tree.Path() / "docs")), -1);
    EXPECT_EQ(platform::PathKind(test::ToEnginePath(file)), 1);
    EXPECT_EQ(platform::PathKind(test::ToEnginePath(tree.Path() / "missing")), 0);
    EXPECT_EQ(platform::PathKind(u""), 0);
}

}  // namespace
}  // namespace linkloom
