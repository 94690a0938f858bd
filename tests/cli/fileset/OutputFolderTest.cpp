#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "cli/fileset/OutputFolder.h"
#include "cli/fileset/SwitchJournal.h"
#include "platform/FileLock.h"
#include "support/Failures.h"
#include "support/TempTree.h"

namespace linkloom::cli {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

TEST(OutputFolderTest, TemporaryFilesGetShortUnpredictableNamesAndNeverGoThroughALink) {
    test::TempTree tree;
    const fs::path victim = tree.File("victim.txt", "keep");
    std::error_code linked;
    fs::create_symlink(victim, tree.Path() / "planted", linked);
    fs::create_symlink(tree.Path() / "absent.txt", tree.Path() / "dangling", linked);
    if (!linked) {
        for (const char* name : {"planted", "dangling"}) {
            const auto file =
                platform::OutputFile::CreateNew(tree.Root() + String::FromUtf8(name), platform::FileAccess::Shared);
            ASSERT_FALSE(file) << name;
            EXPECT_EQ(file.Failure().kind, platform::SystemError::Kind::Exists) << name;
        }
        EXPECT_EQ(test::ReadFile(victim), "keep");
        EXPECT_FALSE(fs::exists(tree.Path() / "absent.txt"));
    }

    OutputFolder folder;
    const auto opened = folder.Open(tree.Root());
    ASSERT_FALSE(opened) << test::Why(opened);
    auto first = folder.CreateTemporary();
    auto second = folder.CreateTemporary();
    ASSERT_TRUE(first && second);
    const std::regex form(R"(\.linkloom-([0-9a-z]{8})-[0-9a-z]{8})");
    std::smatch one, other;
    const std::string firstName = first->Path().Mid(tree.Root().Length()).ToUtf8();
    const std::string secondName = second->Path().Mid(tree.Root().Length()).ToUtf8();
    ASSERT_TRUE(std::regex_match(firstName, one, form)) << firstName;
    ASSERT_TRUE(std::regex_match(secondName, other, form)) << secondName;
    EXPECT_NE(firstName, secondName);
    // The run's own token, its lock beside the files.
    EXPECT_EQ(one[1], other[1]);
    EXPECT_TRUE(fs::exists(tree.Path() / (".linkloom-" + one[1].str())));
}

TEST(OutputFolderTest, OpeningAFolderUndoesTheSwitchOfADeadRunAndRemovesOnlyWhatItLeft) {
    test::TempTree tree;
    // A dead run: its lock file held by nobody, a temporary file, and a switch broken off after
    // its first step, the old index kept as the backup.
    tree.File(".linkloom-dead0001", "");
    tree.File(".linkloom-dead0001-rest0001", "partial");
    tree.File("s.xml", "new index");
    tree.File(".linkloom-dead0001-backp001", "old index");
    SwitchJournal journal;
    journal.steps.push_back({tree.Root() + u"s.xml", tree.Root() + u".linkloom-dead0001-temp0001",
                             tree.Root() + u".linkloom-dead0001-backp001"});
    ASSERT_FALSE(journal.Write(tree.Root() + u".linkloom-dead0001.journal"));
    // A live run, and files that are not a run's: a user's own, names of a run's forms without
    // its lock, and a journal that came with an archive (not the file a run wrote).
    platform::FileLock live;
    ASSERT_FALSE(live.Acquire(tree.Root() + u".linkloom-kept0002", platform::FileLock::Mode::CreateNew));
    Strings expected{".linkloom-kept0002",
                     ".linkloom-kept0002-wrtng000",
                     ".linkloomish",
                     ".linkloom-settings.json",
                     ".linkloom-nolock01-temp0001",
                     ".linkloom-f00d0001",
                     ".linkloom-f00d0001.journal",
                     "s-1.xml",
                     "victim.txt"};
    for (const std::string& name : expected) {
        if (name != ".linkloom-kept0002") tree.File(name, "");
    }
    SwitchJournal planted;
    planted.steps.push_back({tree.Root() + u"victim.txt", tree.Root() + u".linkloom-f00d0001-temp0001", String()});
    ASSERT_FALSE(planted.Write(tree.Root() + u"planted"));
    fs::remove(tree.Path() / ".linkloom-f00d0001.journal");
    fs::copy_file(tree.Path() / "planted", tree.Path() / ".linkloom-f00d0001.journal");
    fs::remove(tree.Path() / "planted");

    OutputFolder folder;
    ASSERT_FALSE(folder.Open(tree.Root()));
    EXPECT_EQ(test::ReadFile(tree.Path() / "s.xml"), "old index");
    // The folder's own run lock stays too: ".linkloom-" and the token its journal is named for.
    const std::string own = folder.JournalPath().Mid(tree.Root().Length()).ToUtf8();
    expected.push_back(own.substr(0, own.size() - 8));
    expected.push_back("s.xml");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(test::Names(tree.Path()), expected);
}

}  // namespace
}  // namespace linkloom::cli
