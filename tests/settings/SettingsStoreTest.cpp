#include <gtest/gtest.h>

#include "settings/SettingsStore.h"
#include "support/StringPrinter.h"
#include "support/TempTree.h"

namespace linkloom {
namespace {

using test::ReadFile;
using test::Utf16Le;

// The code a failed call reports; 0 when it did not fail.
DWORD Code(const std::optional<platform::SystemError>& failure) { return failure ? failure->code : 0; }

class SettingsStoreTest : public ::testing::Test {
protected:
    std::filesystem::path IniPath() const { return tree.Path() / "linkloom.ini"; }
    SettingsStore Store() const { return SettingsStore(test::ToEnginePath(IniPath())); }

    void Save(const String& folder, int flags, const String& ext, const String& url) {
        const SettingsSection section = Store().OpenSection(u"settings", SectionMode::Write);
        ASSERT_TRUE(section.IsOpen());
        EXPECT_FALSE(section.WriteString(u"folder", folder));
        EXPECT_FALSE(section.WriteInt(u"flags", flags));
        EXPECT_FALSE(section.WriteString(u"ext", ext));
        EXPECT_FALSE(section.WriteString(u"url", url));
    }

    test::TempTree tree;
};

TEST_F(SettingsStoreTest, WithoutAFileEveryReadGivesItsDefaultAndNothingIsCreated) {
    const SettingsSection section = Store().OpenSection(u"settings", SectionMode::Read);
    EXPECT_FALSE(section.IsOpen());
    int flags = 3;
    EXPECT_EQ(Code(section.ReadInt(u"flags", flags)), ERROR_INVALID_HANDLE);
    EXPECT_EQ(flags, 3);
    EXPECT_EQ(section.ReadString(u"ext", u"htm,php"), String(u"htm,php"));
    EXPECT_EQ(section.ReadString(u"folder"), String());
    EXPECT_EQ(Code(section.WriteString(u"url", u"https://example.com/")), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
}

TEST_F(SettingsStoreTest, TheFirstSaveCreatesAUtf16FileWithTheKeysInOrder) {
    Save(u"C:\\site\\", 3, u"htm,php", u"https://example.com/");
    EXPECT_EQ(ReadFile(IniPath()), "\xFF\xFE" + Utf16Le(u"[settings]\r\nfolder=C:\\site\\\r\nflags=3\r\n"
                                                        "ext=htm,php\r\nurl=https://example.com/\r\n"));
}

TEST_F(SettingsStoreTest, IntegersRoundTripExceptTheSentinel) {
    for (const int stored : {0, 1, 2, 3, 7, 19, -1}) {
        Save(u"f", stored, u"e", u"u");
        int flags = 99;
        EXPECT_FALSE(Store().OpenSection(u"settings", SectionMode::Read).ReadInt(u"flags", flags));
        EXPECT_EQ(flags, stored);
    }
    Save(u"f", -559038741, u"e", u"u");
    int flags = 3;
    EXPECT_EQ(Code(Store().OpenSection(u"settings", SectionMode::Read).ReadInt(u"flags", flags)), ERROR_INVALID_DATA);
    EXPECT_EQ(flags, 3);
}

TEST_F(SettingsStoreTest, ASaveReplacesValuesInPlaceAndAppendsNewKeysToTheSection) {
    tree.File("linkloom.ini", "\xFF\xFE" + Utf16Le(u"[settings]\r\nurl=old\r\nfolder=old\r\n[other]\r\nx=1\r\n"));
    Save(u"C:\\site\\", 3, u"htm", u"https://example.com/");
    EXPECT_EQ(ReadFile(IniPath()),
              "\xFF\xFE" + Utf16Le(u"[settings]\r\nurl=https://example.com/\r\nfolder=C:\\site\\\r\n"
                                   "flags=3\r\next=htm\r\n[other]\r\nx=1\r\n"));
}

TEST_F(SettingsStoreTest, EmptyValuesAreStoredAndReadAsDefaults) {
    Save(u"", 3, u"", u"");
    EXPECT_NE(ReadFile(IniPath()).find(Utf16Le(u"\r\next=\r\n")), std::string::npos);
    const SettingsSection section = Store().OpenSection(u"settings", SectionMode::Read);
    ASSERT_TRUE(section.IsOpen());
    EXPECT_EQ(section.ReadString(u"ext", u"htm,php"), String(u"htm,php"));
    EXPECT_EQ(section.ReadString(u"folder"), String());
}

TEST_F(SettingsStoreTest, SectionAndKeyNamesMatchInAnyLetterCase) {
    tree.File("linkloom.ini", "[Settings]\r\nFOLDER=C:\\x\\\r\nFlags=5\r\n");
    const SettingsSection section = Store().OpenSection(u"settings", SectionMode::Read);
    ASSERT_TRUE(section.IsOpen());
    EXPECT_EQ(section.ReadString(u"folder"), String(u"C:\\x\\"));
    int flags = 0;
    EXPECT_FALSE(section.ReadInt(u"FLAGS", flags));
    EXPECT_EQ(flags, 5);
}

TEST_F(SettingsStoreTest, AFileWithoutTheMarkIsReadAndUpdatedWithoutOne) {
    tree.File("linkloom.ini", "[other]\r\nx=1\r\n[settings]\r\nurl=https://8bit.example/\r\n");
    EXPECT_EQ(Store().OpenSection(u"settings", SectionMode::Read).ReadString(u"url"), String(u"https://8bit.example/"));
    EXPECT_FALSE(Store().OpenSection(u"settings", SectionMode::Write).WriteString(u"url", u"https://new.example/"));
    EXPECT_EQ(ReadFile(IniPath()), "[other]\r\nx=1\r\n[settings]\r\nurl=https://new.example/\r\n");
}

TEST_F(SettingsStoreTest, AFileWithoutEntriesInTheSectionIsNotOpenForReading) {
    for (const char* content : {"[other]\r\nx=1\r\n", "[settings]\r\n[other]\r\nx=1\r\n"}) {
        test::TempTree own;
        own.File("linkloom.ini", content);
        EXPECT_FALSE(SettingsStore(test::ToEnginePath(own.Path() / "linkloom.ini"))
                         .OpenSection(u"settings", SectionMode::Read)
                         .IsOpen())
            << content;
    }
}

// Read-only, or held without sharing by another program: the file is left as it was.
TEST_F(SettingsStoreTest, AFileThatCannotBeWrittenIsLeftByteForByte) {
    Save(u"C:\\site\\", 3, u"htm", u"https://example.com/");
    const std::string before = ReadFile(IniPath());
    for (const bool readOnly : {true, false}) {
        HANDLE lock = INVALID_HANDLE_VALUE;
        if (readOnly) {
            ASSERT_TRUE(SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_READONLY));
            EXPECT_EQ(Store().OpenSection(u"settings", SectionMode::Read).ReadString(u"ext"), String(u"htm"));
        } else {
            lock = CreateFileW(IniPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        }
        const SettingsSection section = Store().OpenSection(u"settings", SectionMode::Write);
        EXPECT_FALSE(section.IsOpen()) << readOnly;
        EXPECT_EQ(Code(section.WriteString(u"folder", u"D:\\")), ERROR_INVALID_HANDLE) << readOnly;
        SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
        EXPECT_EQ(ReadFile(IniPath()), before) << readOnly;
    }
}

}  // namespace
}  // namespace linkloom
