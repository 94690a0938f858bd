#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "cli/fileset/FileSetTransaction.h"
#include "support/Failures.h"
#include "support/TempTree.h"

namespace linkloom::cli {
namespace {

namespace fs = std::filesystem;

// A file of two folders switched in by one change, or nothing when the change is not committed.
TEST(FileSetTransactionTest, CommitsAcrossFoldersOrRollsBackOnDestruction) {
    test::TempTree tree;
    tree.File("a/map.xml", "old map");
    tree.Folder("b");
    const String a = tree.Root() + u"a/", b = tree.Root() + u"b/";
    for (const bool commit : {false, true}) {
        FileSetTransaction change;
        auto file = change.CreateTemporary(a);
        ASSERT_TRUE(file) << platform::Describe(file.Failure()).ToUtf8();
        auto other = change.CreateTemporary(b);
        ASSERT_TRUE(other) << platform::Describe(other.Failure()).ToUtf8();
        ASSERT_FALSE(platform::WriteAndClose(*file, "new map") || platform::WriteAndClose(*other, "record"));
        change.Replace(a + u"map.xml", file->Path());
        change.Replace(b + u"state.txt", other->Path());
        if (commit) {
            const auto failure = change.Commit([] { return true; });
            ASSERT_FALSE(failure) << test::Why(failure);
        }
    }
    EXPECT_EQ(test::ReadFile(tree.Path() / "a/map.xml"), "new map");
    EXPECT_EQ(test::ReadFile(tree.Path() / "b/state.txt"), "record");
    // Nothing of either change is left: the first one's temporaries went with it.
    for (const char* folder : {"a", "b"}) {
        EXPECT_EQ(std::distance(fs::directory_iterator(tree.Path() / folder), fs::directory_iterator()), 1) << folder;
    }
}

#ifndef _WIN32
TEST(FileSetTransactionTest, AReplacedFileKeepsItsModeAndOwner) {
    test::TempTree tree;
    const std::string path = tree.File("map.xml", "old").string();
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    // Another user's file keeps its owner where the system lets the run give it (as root).
    const bool privileged = geteuid() == 0;
    if (privileged) {
        ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
    }
    const mode_t mask = umask(077);
    FileSetTransaction change;
    auto file = change.CreateTemporary(tree.Root());
    const bool made = file && !file->Close();
    umask(mask);
    ASSERT_TRUE(made);
    change.Replace(tree.Root() + u"map.xml", file->Path());
    const auto failure = change.Commit([] { return true; });
    ASSERT_FALSE(failure) << test::Why(failure);
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
    if (privileged) {
        EXPECT_EQ(info.st_uid, 65534u);
    }
}
#endif

}  // namespace
}  // namespace linkloom::cli
