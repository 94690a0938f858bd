#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "cli/fileset/OutputFolder.h"
#include "cli/fileset/SwitchJournal.h"
#include "platform/FileLock.h"
#include "support/TempTree.h"

namespace linkloom::cli {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

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
        EXPECT_EQ(Read(victim), "keep");
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

TEST(OutputFolderTest, OpeningAFolderUndoesTheSwitchOfADeadRunAndRemovesWhatItLeft) {
    test::TempTree tree;
    // A dead run: its lock file held by nobody, a temporary file, and a switch broken off after
    // its first step, the old index kept as the backup.
    tree.File(".linkloom-deadrun1", "");
    tree.File(".linkloom-deadrun1-leftover", "partial");
    tree.File("s.xml", "new index");
    tree.File(".linkloom-deadrun1-backup01", "old index");
    SwitchJournal journal;
    journal.steps.push_back({tree.Root() + u"s.xml", tree.Root() + u".linkloom-deadrun1-temporar",
                             tree.Root() + u".linkloom-deadrun1-backup01"});
    String error;
    ASSERT_TRUE(journal.Write(tree.Root() + u".linkloom-deadrun1.journal", error)) << error.ToUtf8();
    // A live run, and files that are not a run's at all.
    platform::FileLock live;
    ASSERT_TRUE(live.Acquire(tree.Root() + u".linkloom-liverun1", platform::FileLock::Mode::CreateNew, error));
    tree.File(".linkloom-liverun1-inuse000", "being written");
    tree.File(".linkloomish", "");
    tree.File("s-1.xml", "");

    OutputFolder folder;
    ASSERT_TRUE(folder.Open(tree.Root(), error)) << error.ToUtf8();
    EXPECT_EQ(Read(tree.Path() / "s.xml"), "old index");
    // The folder's own run lock stays too: ".linkloom-" and the token its journal is named for.
    const std::string own = folder.JournalPath().Mid(tree.Root().Length()).ToUtf8();
    Strings expected{own.substr(0, own.size() - 8), ".linkloom-liverun1", ".linkloom-liverun1-inuse000",
                     ".linkloomish", "s-1.xml", "s.xml"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(tree.Path()), expected);
}

}  // namespace
}  // namespace linkloom::cli
