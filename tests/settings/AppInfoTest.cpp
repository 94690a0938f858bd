#include <gtest/gtest.h>

#include "app/AppInfo.h"

namespace linkloom {
namespace {

TEST(AppInfo, GivesTheProgramPathAndItsFolderOnce) {
    const String& path = AppInfo::ProgramPath();
    ASSERT_FALSE(path.IsEmpty());
    EXPECT_TRUE(path.Text().size() > 4 && path.Text().substr(path.Length() - 4) == u".exe");
    const String& folder = AppInfo::ProgramFolder();
    EXPECT_TRUE(folder.EndsWith(u'\\'));
    EXPECT_TRUE(path.StartsWith(folder));
    EXPECT_EQ(path.Mid(folder.Length()).Find(u'\\'), String::npos);
    EXPECT_EQ(&AppInfo::ProgramFolder(), &folder);
}

TEST(AppInfo, ReadsTheSystemVersionOnce) {
    EXPECT_EQ(AppInfo::OsVersion().dwOSVersionInfoSize, 0u);
    AppInfo::ReadOsVersion();
    const OSVERSIONINFOA first = AppInfo::OsVersion();
    EXPECT_NE(first.dwOSVersionInfoSize, 0u);
    EXPECT_GE(first.dwMajorVersion, 5u);
    AppInfo::ReadOsVersion();
    EXPECT_EQ(AppInfo::OsVersion().dwBuildNumber, first.dwBuildNumber);
}

}  // namespace
}  // namespace linkloom
