#include <gtest/gtest.h>

#include "platform/Directory.h"
#include "support/TempTree.h"

namespace linkloom {
namespace {

TEST(PathKind, TellsDirectoriesFromFilesFromNothing) {
    test::TempTree tree;
    const auto file = tree.File("a.htm", "x");
    tree.Folder("docs");
    using platform::PathType;
    EXPECT_EQ(platform::PathKind(tree.Root()), PathType::Folder);
    EXPECT_EQ(platform::PathKind(test::ToEnginePath(tree.Path() / "docs")), PathType::Folder);
    EXPECT_EQ(platform::PathKind(test::ToEnginePath(file)), PathType::Other);
    EXPECT_EQ(platform::PathKind(test::ToEnginePath(tree.Path() / "missing")), PathType::Missing);
    EXPECT_EQ(platform::PathKind(u""), PathType::Missing);
}

}  // namespace
}  // namespace linkloom
