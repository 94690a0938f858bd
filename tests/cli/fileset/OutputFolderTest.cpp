#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "cli/fileset/OutputFolder.h"
#include "cli/fileset/SwitchJournal.h"
#include "platform/FileLock.h"
#include "support/TempTree.h"

namespace linkloom::cli {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

Strings Names(const fs::path& folder) {
    Strings names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(OutputFolderTest, TemporaryFilesGetShortUnpredictableNamesAndNeverGoThroughALink) {
    test::TempTree tree;
    const fs::path victim = tree.File("victim.txt", "keep");
    std::error_code linked;
    fs::create_symlink(victim, tree.Path() / "planted", linked);
    fs::create_symlink(tree.Path() / "absent.txt", tree.Path() / "dangling", linked);
    if (!linked) {
        String error;
        platform::OutputFile file;
        for (const char* name : {"planted", "dangling"}) {
            const String path = tree.Root() + String::FromUtf8(name);
            EXPECT_EQ(platform::OutputFile::CreateNew(path, platform::FileAccess::Shared, file, error),
                      platform::OutputFile::Creation::Exists)
                << name;
        }
        EXPECT_EQ(test::ReadFile(victim), "keep");
        EXPECT_FALSE(fs::exists(tree.Path() / "absent.txt"));
    }

    OutputFolder folder;
    String error, first, second;
    ASSERT_TRUE(folder.Open(tree.Root(), error)) << error.ToUtf8();
    platform::OutputFile file;
    ASSERT_TRUE(folder.CreateTemporary(file, first, error)) << error.ToUtf8();
    ASSERT_TRUE(folder.CreateTemporary(file, second, error)) << error.ToUtf8();
    const std::regex form(R"(\.linkloom-([0-9a-z]{8})-[0-9a-z]{8})");
    std::smatch one, other;
    const std::string firstName = first.Mid(tree.Root().Length()).ToUtf8();
    const std::string secondName = second.Mid(tree.Root().Length()).ToUtf8();
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
    String error;
    ASSERT_TRUE(journal.Write(tree.Root() + u".linkloom-dead0001.journal", error)) << error.ToUtf8();
    // A live run, and files that are not a run's: a user's own, names of a run's forms without
    // its lock, and a journal that came with an archive (not the file a run wrote).
    platform::FileLock live;
    ASSERT_TRUE(live.Acquire(tree.Root() + u".linkloom-kept0002", platform::FileLock::Mode::CreateNew, error));
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
    ASSERT_TRUE(planted.Write(tree.Root() + u"planted", error));
    fs::remove(tree.Path() / ".linkloom-f00d0001.journal");
    fs::copy_file(tree.Path() / "planted", tree.Path() / ".linkloom-f00d0001.journal");
    fs::remove(tree.Path() / "planted");

    OutputFolder folder;
    ASSERT_TRUE(folder.Open(tree.Root(), error)) << error.ToUtf8();
    EXPECT_EQ(test::ReadFile(tree.Path() / "s.xml"), "old index");
    // The folder's own run lock stays too: ".linkloom-" and the token its journal is named for.
    const std::string own = folder.JournalPath().Mid(tree.Root().Length()).ToUtf8();
    expected.push_back(own.substr(0, own.size() - 8));
    expected.push_back("s.xml");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(tree.Path()), expected);
}

}  // namespace
}  // namespace linkloom::cli
