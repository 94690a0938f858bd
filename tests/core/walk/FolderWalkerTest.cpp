#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/walk/FolderWalker.h"
#include "support/TempTree.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace linkloom {
namespace {

using Items = std::vector<std::string>;
namespace fs = std::filesystem;

std::string Describe(const WalkItem& item) {
    const std::string path = item.Path().ToUtf8();
    switch (item.kind) {
    case WalkItemKind::File: return "file " + path;
    case WalkItemKind::Folder: return "folder " + path;
    case WalkItemKind::FolderDone: return "done " + path;
    case WalkItemKind::LeftOut:
        return "left out " + path + (item.reason == LeftOutReason::AlreadyWalked ? " (already walked)" : " (excluded)");
    case WalkItemKind::Error: return "error " + path;
    }
    return "?";
}

// Every item of a walk; `onItem` may act on the walker after each one.
Items Walk(FolderWalker& walker, const std::function<void(const WalkItem&)>& onItem = {}) {
    Items items;
    for (WalkItem item; walker.Next(item);) {
        items.push_back(Describe(item));
        if (onItem) onItem(item);
    }
    return items;
}

class FolderWalkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.File("b.htm");
        tree.File("A.htm");
        tree.File("docs/old/x.htm");
        tree.File("docs/guide.htm");
        tree.Folder("empty");
    }
    test::TempTree tree;
};

TEST_F(FolderWalkerTest, YieldsEntriesDepthFirstInListingOrderWithEachFolderEnd) {
    FolderWalker walker(tree.Root(), nullptr);
    EXPECT_EQ(Walk(walker),
              (Items{"file A.htm", "file b.htm", "folder docs", "file docs/guide.htm", "folder docs/old",
                     "file docs/old/x.htm", "done docs/old/", "done docs/", "folder empty", "done empty/", "done "}));
    WalkItem after;
    EXPECT_FALSE(walker.Next(after));
}

TEST_F(FolderWalkerTest, SkipsTheFolderItGaveLastAndExcludedPaths) {
    FolderWalker skipping(tree.Root(), nullptr);
    const Items items = Walk(skipping, [&](const WalkItem& item) {
        if (item.kind == WalkItemKind::Folder && item.entry.name == String(u"docs")) skipping.SkipCurrentFolder();
    });
    EXPECT_EQ(items, (Items{"file A.htm", "file b.htm", "folder docs", "folder empty", "done empty/", "done "}));

    std::vector<PathPattern> exclusions(2);
    ASSERT_TRUE(exclusions[0].Parse(u"docs/old/"));
    ASSERT_TRUE(exclusions[1].Parse(u"*.HTM"));
    FolderWalker excluding(tree.Root(), &exclusions);
    EXPECT_EQ(Walk(excluding),
              (Items{"left out A.htm (excluded)", "left out b.htm (excluded)", "folder docs", "file docs/guide.htm",
                     "left out docs/old (excluded)", "done docs/", "folder empty", "done empty/", "done "}));
}

TEST_F(FolderWalkerTest, AFolderThatCannotBeListedIsAnErrorAndTheWalkGoesOn) {
    FolderWalker walker(tree.Root(), nullptr);
    // The folder goes away between its entry and its listing, as on a busy site.
    const Items items = Walk(walker, [&](const WalkItem& item) {
        if (item.kind == WalkItemKind::Folder && item.entry.name == String(u"docs")) {
            fs::remove_all(tree.Path() / "docs");
        }
    });
    EXPECT_EQ(items,
              (Items{"file A.htm", "file b.htm", "folder docs", "error docs", "folder empty", "done empty/", "done "}));
}

TEST(FolderWalkerTop, AFolderThatCannotBeOpenedIsOneErrorWithAnEmptyPath) {
    test::TempTree tree;
    const auto file = tree.File("page.htm");
    for (const auto& path : {file, tree.Path() / "missing"}) {
        FolderWalker walker(test::ToEnginePath(path), nullptr);
        WalkItem item;
        ASSERT_TRUE(walker.Next(item));
        EXPECT_EQ(item.kind, WalkItemKind::Error);
        EXPECT_TRUE(item.Path().IsEmpty());
        EXPECT_NE(item.error.code, 0u);
        EXPECT_FALSE(walker.Next(item));
    }
}

#ifndef _WIN32
TEST(FolderWalkerLinks, WalksEveryFolderOnceThroughAWebOfLinks) {
    // Forty folders, each with two links to the next: 2^40 paths, forty folders.
    test::TempTree tree;
    for (int i = 0; i < 40; ++i) tree.File("f" + std::to_string(i) + "/page.htm");
    for (int i = 0; i + 1 < 40; ++i) {
        const auto next = tree.Path() / ("f" + std::to_string(i + 1));
        fs::create_directory_symlink(next, tree.Path() / ("f" + std::to_string(i)) / "a");
        fs::create_directory_symlink(next, tree.Path() / ("f" + std::to_string(i)) / "b");
    }
    // A link to the walked folder stands in for a link to the file system's root.
    fs::create_directory_symlink(tree.Path(), tree.Path() / "f39" / "up");
    FolderWalker walker(tree.Root(), nullptr);
    int files = 0, done = 0, walkedAlready = 0;
    for (WalkItem item; walker.Next(item);) {
        files += item.kind == WalkItemKind::File;
        done += item.kind == WalkItemKind::FolderDone;
        walkedAlready += item.kind == WalkItemKind::LeftOut && item.reason == LeftOutReason::AlreadyWalked;
    }
    EXPECT_EQ(files, 40);
    EXPECT_EQ(done, 41);
    // The "a" links lead down the chain; f39/up, the 39 "b" links and f1 to f39 at the top meet
    // folders walked already.
    EXPECT_EQ(walkedAlready, 1 + 39 + 39);
}
#endif

TEST(FolderWalkerDepth, WalksPastThePathLimitAndTheDescriptorWindow) {
    test::TempTree tree;
#ifdef _WIN32
    // 200 levels: a path of 400 units, past the system's 260 (under Wine each level costs more
    // than the one above it).
    constexpr int kLevels = 200, kPages = 1;
    std::string relative;
    for (int level = 1; level < kLevels; ++level) relative += "d/";
    tree.File(relative + "p.htm");
#else
    // 2,600 levels: paths of 5,200 bytes, more than the system takes whole and more folders than
    // a walk holds open. Made level by level relative to open folders.
    constexpr int kLevels = 2600, kPages = kLevels;
    int folder = open(tree.Path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    for (int level = 0; level < kLevels; ++level) {
        const int page = openat(folder, "p.htm", O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(page, 0);
        close(page);
        ASSERT_EQ(mkdirat(folder, "d", 0755), 0);
        const int next = openat(folder, "d", O_RDONLY | O_DIRECTORY);
        close(folder);
        ASSERT_GE(next, 0);
        folder = next;
    }
    close(folder);
#endif

    FolderWalker walker(tree.Root(), nullptr);
    int files = 0, errors = 0;
    std::size_t deepest = 0;
    for (WalkItem item; walker.Next(item);) {
        errors += item.kind == WalkItemKind::Error;
        if (item.kind != WalkItemKind::File) continue;
        ++files;
        deepest = std::max(deepest, item.Path().Length());
    }
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(files, kPages);
    EXPECT_EQ(deepest, 2u * (kLevels - 1) + 5);
#ifndef _WIN32
    // No whole path reaches the bottom, so the tree is removed from there upwards through "..".
    folder = open(tree.Path().c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level < kLevels; ++level) {
        const int next = openat(folder, "d", O_RDONLY | O_DIRECTORY);
        close(folder);
        folder = next;
    }
    for (int level = 0; level < kLevels; ++level) {
        const int parent = openat(folder, "..", O_RDONLY | O_DIRECTORY);
        close(folder);
        unlinkat(parent, "p.htm", 0);
        unlinkat(parent, "d", AT_REMOVEDIR);
        folder = parent;
    }
    close(folder);
#endif
}

}  // namespace
}  // namespace linkloom
