#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#ifdef _WIN32
#include <windows.h>
#endif

#include "cli/fileset/SetSwitch.h"
#include "support/Failures.h"
#include "support/TempTree.h"

namespace linkloom::cli {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

// Every file of a folder by name, with its content.
Files Contents(const fs::path& folder) {
    Files files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = test::ReadFile(entry.path());
    return files;
}

const std::string kJournal = ".linkloom-dead0001.journal";
// The journal as a dead run left it: the very file, kept under a second name.
const std::string kKept = "kept";

std::string Own(const std::string& name) { return ".linkloom-dead0001-" + name; }

// Puts exactly these files in the folder, writable by their owner alone; the journal is the one kept.
void Restore(const fs::path& folder, const Files& files) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() != kKept) fs::remove(entry.path());
    }
    for (const auto& [name, text] : files) {
        if (name == kJournal) continue;
        std::ofstream(folder / name, std::ios::binary) << text;
        fs::permissions(folder / name, fs::perms::owner_read | fs::perms::owner_write);
    }
    if (files.count(kJournal) && fs::exists(folder / kKept)) fs::rename(folder / kKept, folder / kJournal);
}

// Keeps the journal under a second name, as a run that dies now would leave it.
Files Leave(const fs::path& folder) {
    std::error_code none;
    fs::remove(folder / kKept, none);
    if (fs::exists(folder / kJournal)) fs::create_hard_link(folder / kJournal, folder / kKept);
    Files files = Contents(folder);
    files.erase(kKept);
    return files;
}

// An old set of three parts under an index, and a new one of two parts ready beside it.
class SetSwitchTest : public ::testing::Test {
protected:
    void SetUp() override {
        Restore(tree.Path(), kOld);
        for (const auto& [name, text] : kNew) std::ofstream(tree.Path() / name, std::ios::binary) << text;
    }
    SetSwitch Switch() const {
        return SetSwitch({{Path("s-1.xml"), Path(Own("t0000001")), Path(Own("b0000001"))},
                          {Path("s-2.xml"), Path(Own("t0000002")), Path(Own("b0000002"))},
                          {Path("s.xml"), Path(Own("t000000x")), Path(Own("b000000x"))},
                          {Path("s-3.xml"), String(), Path(Own("b0000003"))}},
                         Journal(), {});
    }
    String Path(const std::string& name) const { return tree.Root() + String::FromUtf8(name); }
    String Journal() const { return Path(kJournal); }
    // What the folder holds besides the new set's temporary files.
    Files Set() const {
        Files files = Contents(tree.Path());
        for (const auto& [name, text] : kNew) files.erase(name);
        return files;
    }

    const Files kOld{{"s.xml", "old index"}, {"s-1.xml", "old 1"}, {"s-2.xml", "old 2"}, {"s-3.xml", "old 3"}};
    const Files kNew{{Own("t0000001"), "new 1"}, {Own("t0000002"), "new 2"}, {Own("t000000x"), "new index"}};
    test::TempTree tree;
};

TEST_F(SetSwitchTest, PutsTheNewSetInPlaceAndKeepsNothingOfTheOld) {
    const auto failure = Switch().Run([] { return true; });
    ASSERT_FALSE(failure) << test::Why(failure);
    EXPECT_EQ(Contents(tree.Path()), (Files{{"s.xml", "new index"}, {"s-1.xml", "new 1"}, {"s-2.xml", "new 2"}}));
}

TEST_F(SetSwitchTest, AFailedOrStoppedStepUndoesTheStepsBeforeIt) {
    // The second part's rename fails: its temporary file is gone.
    fs::remove(tree.Path() / Own("t0000002"));
    const auto failure = Switch().Run([] { return true; });
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->path.ToUtf8(), Path("s-2.xml").ToUtf8());
    EXPECT_FALSE(platform::Describe(*failure).IsEmpty());
    EXPECT_EQ(Set(), kOld);
    // A stop before any of the steps, or before the switch is final.
    for (int stopAt = 1; stopAt <= 5; ++stopAt) {
        SetUp();
        int asked = 0;
        EXPECT_TRUE(Switch().Run([&] { return ++asked < stopAt; })) << stopAt;
        EXPECT_EQ(Set(), kOld) << stopAt;
    }
}

TEST_F(SetSwitchTest, ARunThatDiesBetweenTwoStepsIsUndoneFromItsJournal) {
    for (int diesAt = 1; diesAt <= 5; ++diesAt) {
        SetUp();
        Files left;
        int asked = 0;
        Switch().Run([&] {
            if (++asked == diesAt) left = Leave(tree.Path());
            return asked < diesAt;
        });
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
    Switch().Run([&] {
        if (++asked == 1) written = Contents(tree.Path());
        if (asked == 2) stepped = Leave(tree.Path());
        return asked < 3;
    });
    // A copy of a journal, as an archive or a clone brings it, is not followed: it is not the
    // file its run wrote.
    Restore(tree.Path(), stepped);
    fs::copy_file(tree.Path() / kJournal, tree.Path() / "copy");
    fs::remove(tree.Path() / kJournal);
    fs::rename(tree.Path() / "copy", tree.Path() / kJournal);
    fs::permissions(tree.Path() / kJournal, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(SetSwitch::Recover(Journal()));
    EXPECT_EQ(Contents(tree.Path()), stepped);
    // A run that died while writing its journal, in its steps or in its stamp, had changed nothing yet.
    for (const bool inStamp : {true, false}) {
        Restore(tree.Path(), written);
        ASSERT_FALSE(SwitchJournal().Write(Journal()));
        fs::resize_file(tree.Path() / kJournal, inStamp ? 2 : fs::file_size(tree.Path() / kJournal) - 3);
        EXPECT_TRUE(SetSwitch::Recover(Journal())) << inStamp;
        EXPECT_EQ(Set(), kOld) << inStamp;
    }
#ifndef _WIN32
    // A journal that others may have written is not followed.
    SetUp();
    SwitchJournal().Write(Journal());
    fs::permissions(tree.Path() / kJournal, fs::perms::group_write, fs::perm_options::add);
    EXPECT_FALSE(SetSwitch::Recover(Journal()));
#endif
}

TEST_F(SetSwitchTest, AJournalActsOnlyOnItsOwnFolderAndItsRunsNames) {
    test::TempTree elsewhere;
    const fs::path victim = elsewhere.File("victim.txt", "keep");
    const std::vector<SwitchStep> planted[] = {
        {{elsewhere.Root() + u"victim.txt", elsewhere.Root() + String::FromUtf8(Own("t0000001")), String()}},
        {{Path("s.xml"), String(), Path("b0000001")}},
        {{Path("s.xml"), String(), Path(".linkloom-other001-b0000001")}},
        {{Path(".linkloom-dead0001-b0000001"), String(), String()}}};
    for (const auto& steps : planted) {
        SwitchJournal journal;
        journal.steps = steps;
        ASSERT_FALSE(journal.Write(Journal()));
        EXPECT_FALSE(SetSwitch::Recover(Journal()));
        fs::remove(tree.Path() / kJournal);
    }
    EXPECT_EQ(Contents(elsewhere.Path()), (Files{{"victim.txt", "keep"}}));
    EXPECT_EQ(Set(), kOld);
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
        const auto failure = Switch().Run([] { return true; });
        ASSERT_TRUE(failure) << readOnly;
        EXPECT_EQ(failure->path.ToUtf8(), index.ToUtf8()) << readOnly;
        if (readOnly) {
            EXPECT_EQ(platform::Describe(*failure).ToUtf8(), "it has the read-only attribute");
        }
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        SetFileAttributesW(index.Wide(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(Set(), kOld) << readOnly;
    }
}
#endif

}  // namespace
}  // namespace linkloom::cli
