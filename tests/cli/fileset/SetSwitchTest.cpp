#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#endif

#include "cli/fileset/SetSwitch.h"
#include "support/TempTree.h"

namespace linkloom::cli {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

// Every file of a folder by name, with its content.
Files Contents(const fs::path& folder) {
    Files files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        files[entry.path().filename().string()] = text.str();
    }
    return files;
}

// Puts exactly these files in the folder, writable by their owner alone as a run makes its journal.
void Restore(const fs::path& folder, const Files& files) {
    for (const auto& entry : fs::directory_iterator(folder)) fs::remove(entry.path());
    for (const auto& [name, text] : files) {
        std::ofstream(folder / name, std::ios::binary) << text;
        fs::permissions(folder / name, fs::perms::owner_read | fs::perms::owner_write);
    }
}

// An old set of three parts under an index, and a new one of two parts ready beside it.
class SetSwitchTest : public ::testing::Test {
protected:
    void SetUp() override {
        Restore(tree.Path(), kOld);
        for (const auto& [name, text] : kNew) std::ofstream(tree.Path() / name, std::ios::binary) << text;
    }
    String Path(const char* name) const { return tree.Root() + String::FromUtf8(name); }
    SetSwitch Switch() const {
        return SetSwitch({{Path("s-1.xml"), Path("t1"), Path("b1")},
                          {Path("s-2.xml"), Path("t2"), Path("b2")},
                          {Path("s.xml"), Path("ti"), Path("bi")},
                          {Path("s-3.xml"), String(), Path("b3")}},
                         Journal(), {});
    }
    String Journal() const { return Path("journal"); }
    // What the folder holds besides the new set's temporary files.
    Files Set() const {
        Files files = Contents(tree.Path());
        for (const auto& [name, text] : kNew) files.erase(name);
        return files;
    }

    const Files kOld{{"s.xml", "old index"}, {"s-1.xml", "old 1"}, {"s-2.xml", "old 2"}, {"s-3.xml", "old 3"}};
    const Files kNew{{"t1", "new 1"}, {"t2", "new 2"}, {"ti", "new index"}};
    test::TempTree tree;
};

TEST_F(SetSwitchTest, PutsTheNewSetInPlaceAndKeepsNothingOfTheOld) {
    String error, failed;
    ASSERT_TRUE(Switch().Run([] { return true; }, error, failed)) << error.ToUtf8();
    EXPECT_EQ(Contents(tree.Path()), (Files{{"s.xml", "new index"}, {"s-1.xml", "new 1"}, {"s-2.xml", "new 2"}}));
}

TEST_F(SetSwitchTest, AFailedOrStoppedStepUndoesTheStepsBeforeIt) {
    // The second part's rename fails: its temporary file is gone.
    fs::remove(tree.Path() / "t2");
    String error, failed;
    EXPECT_FALSE(Switch().Run([] { return true; }, error, failed));
    EXPECT_EQ(failed.ToUtf8(), Path("s-2.xml").ToUtf8());
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_EQ(Set(), kOld);
    // A stop before any of the steps, or before the switch is final.
    for (int stopAt = 1; stopAt <= 5; ++stopAt) {
        SetUp();
        int asked = 0;
        EXPECT_FALSE(Switch().Run([&] { return ++asked < stopAt; }, error, failed)) << stopAt;
        EXPECT_EQ(Set(), kOld) << stopAt;
    }
}

TEST_F(SetSwitchTest, ARunThatDiesBetweenTwoStepsIsUndoneFromItsJournal) {
    for (int diesAt = 1; diesAt <= 5; ++diesAt) {
        SetUp();
        Files left;
        int asked = 0;
        String error, failed;
        Switch().Run(
            [&] {
                if (++asked == diesAt) left = Contents(tree.Path());
                return asked < diesAt;
            },
            error, failed);
        // The files as the dead run left them; the next run finds its journal.
        Restore(tree.Path(), left);
        EXPECT_TRUE(SetSwitch::Recover(Journal())) << diesAt;
        EXPECT_EQ(Set(), kOld) << diesAt;
    }
}

TEST_F(SetSwitchTest, AJournalCutShortChangesNothingAndAForeignOneIsNotUsed) {
    // The files when the journal is written, and when two steps are made.
    Files written, stepped;
    int asked = 0;
    String error, failed;
    Switch().Run(
        [&] {
            (++asked == 1 ? written : stepped) = Contents(tree.Path());
            return asked < 3;
        },
        error, failed);
    // A run that died while writing its journal had changed nothing yet.
    written["journal"].resize(written["journal"].size() - 3);
    Restore(tree.Path(), written);
    EXPECT_TRUE(SetSwitch::Recover(Journal()));
    EXPECT_EQ(Set(), kOld);
#ifndef _WIN32
    // A journal that others may have written is not followed.
    Restore(tree.Path(), stepped);
    fs::permissions(tree.Path() / "journal", fs::perms::group_write, fs::perm_options::add);
    EXPECT_FALSE(SetSwitch::Recover(Journal()));
    EXPECT_EQ(Contents(tree.Path()), stepped);
#endif
}

#ifdef _WIN32
TEST_F(SetSwitchTest, AReadOnlyOrHeldTargetFailsTheSwitchAndLeavesNothingBehind) {
    const String index = Path("s.xml");
    for (const bool readOnly : {true, false}) {
        SetUp();
        HANDLE held = INVALID_HANDLE_VALUE;
        if (readOnly) {
            SetFileAttributesW(index.Wide(), FILE_ATTRIBUTE_READONLY);
        } else {
            held = CreateFileW(index.Wide(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        }
        String error, failed;
        EXPECT_FALSE(Switch().Run([] { return true; }, error, failed)) << readOnly;
        EXPECT_EQ(failed.ToUtf8(), index.ToUtf8()) << readOnly;
        if (readOnly) {
            EXPECT_EQ(error.ToUtf8(), "it has the read-only attribute");
        }
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        SetFileAttributesW(index.Wide(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(Set(), kOld) << readOnly;
    }
}
#endif

}  // namespace
}  // namespace linkloom::cli
