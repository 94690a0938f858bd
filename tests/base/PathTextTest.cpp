#include <gtest/gtest.h>

#include "base/PathText.h"
#include "support/StringPrinter.h"

namespace linkloom {
namespace {

String Repeat(char16_t unit, std::size_t count) { return String(std::u16string(count, unit)); }

TEST(JoinPath, AddsOneSeparator) {
    EXPECT_EQ(JoinPath(u"", u"a.htm", true, PathStyle::Windows), String(u"a.htm"));
    EXPECT_EQ(JoinPath(u"C:\\site\\", u"a.htm", true, PathStyle::Windows), String(u"C:\\site\\a.htm"));
    EXPECT_EQ(JoinPath(u"C:\\site", u"a.htm", true, PathStyle::Windows), String(u"C:\\site\\a.htm"));
    EXPECT_EQ(JoinPath(u"/srv/site", u"a.htm", true, PathStyle::Posix), String(u"/srv/site/a.htm"));
    EXPECT_EQ(JoinPath(u"/srv/site/", u"a.htm", true, PathStyle::Posix), String(u"/srv/site/a.htm"));
}

TEST(JoinPath, PrefixesWindowsPathsFrom260Units) {
    const String directory = String(u"C:\\") + Repeat(u'd', 250) + u'\\';  // 254 units
    EXPECT_EQ(JoinPath(directory, u"12345", true, PathStyle::Windows).Length(), 259u);
    EXPECT_FALSE(HasLongPathPrefix(JoinPath(directory, u"12345", true, PathStyle::Windows)));
    EXPECT_EQ(JoinPath(directory, u"123456", true, PathStyle::Windows), String(u"\\\\?\\") + directory + u"123456");
    EXPECT_EQ(JoinPath(directory, u"123456", false, PathStyle::Windows), directory + u"123456");

    const String share = String(u"\\\\server\\share\\") + Repeat(u's', 250);
    EXPECT_EQ(JoinPath(share, u"a.htm", true, PathStyle::Windows),
              String(u"\\\\?\\UNC\\server\\share\\") + Repeat(u's', 250) + u"\\a.htm");

    // Already prefixed directories are not prefixed again, in either form.
    const String prefixed = String(u"\\\\?\\C:\\") + Repeat(u'p', 260);
    EXPECT_EQ(JoinPath(prefixed, u"a", true, PathStyle::Windows), prefixed + u"\\a");
    const String unc = String(u"\\\\?\\unc\\server\\") + Repeat(u'p', 260);
    EXPECT_EQ(JoinPath(unc, u"a", true, PathStyle::Windows), unc + u"\\a");

    EXPECT_EQ(JoinPath(String(u"/") + Repeat(u'p', 300), u"a", true, PathStyle::Posix).Length(), 303u);
}

TEST(FileExtension, IsTheTextAfterTheLastDotOfTheName) {
    EXPECT_EQ(FileExtension(u"archive.tar.gz", PathStyle::Windows), String(u"gz"));
    EXPECT_EQ(FileExtension(u".htaccess", PathStyle::Windows), String(u"htaccess"));
    EXPECT_EQ(FileExtension(u"index.", PathStyle::Windows), String());
    EXPECT_FALSE(FileExtension(u"README", PathStyle::Windows).has_value());
    EXPECT_FALSE(FileExtension(u"C:\\my.site\\README", PathStyle::Windows).has_value());
    EXPECT_FALSE(FileExtension(u"/my.site/README", PathStyle::Posix).has_value());
    EXPECT_EQ(FileExtension(u"/my.site/a.PHP", PathStyle::Posix), String(u"PHP"));
}

TEST(LongPrefix, KindOfEachForm) {
    EXPECT_EQ(LongPrefixKind(u"\\\\?\\C:\\site"), kDriveLongPrefix);
    EXPECT_EQ(LongPrefixKind(u"\\\\?\\UNC\\server\\share"), kNetworkLongPrefix);
    EXPECT_EQ(LongPrefixKind(u"\\\\?\\unc\\server\\share"), kNetworkLongPrefix);
    EXPECT_EQ(LongPrefixKind(u"\\\\.\\C:\\site"), kNoLongPrefix);  // a device path, not a long path
    EXPECT_EQ(LongPrefixKind(u"\\\\server\\share"), kNoLongPrefix);
    EXPECT_EQ(LongPrefixKind(u"C:\\site"), kNoLongPrefix);
    EXPECT_EQ(LongPrefixKind(u"\\\\?\\"), kNoLongPrefix);
    EXPECT_EQ(LongPrefixKind(u"\\\\?\\U"), kNetworkLongPrefix);
}

TEST(LongPrefix, AddAndStripAreInverse) {
    String drive = u"C:\\site";
    EXPECT_TRUE(AddLongPrefix(drive));
    EXPECT_EQ(drive, String(u"\\\\?\\C:\\site"));
    EXPECT_EQ(StripLongPrefix(drive), String(u"C:\\site"));
    EXPECT_EQ(StripLongPrefix(drive, kDriveLongPrefix), String(u"C:\\site"));

    String share = u"\\\\server\\share\\a";
    EXPECT_TRUE(AddLongPrefix(share));
    EXPECT_EQ(share, String(u"\\\\?\\UNC\\server\\share\\a"));
    EXPECT_EQ(StripLongPrefix(share), String(u"\\\\server\\share\\a"));
    EXPECT_EQ(StripLongPrefix(u"\\\\?\\unc\\server\\share", kNetworkLongPrefix), String(u"\\\\server\\share"));

    EXPECT_EQ(StripLongPrefix(u"\\\\.\\C:\\x"), String(u"\\\\.\\C:\\x"));
    EXPECT_EQ(StripLongPrefix(u"\\\\?\\C:\\x", kNoLongPrefix), String(u"\\\\?\\C:\\x"));

    String tiny = u"C:";
    EXPECT_FALSE(AddLongPrefix(tiny));
    EXPECT_EQ(tiny, String(u"C:"));
}

}  // namespace
}  // namespace linkloom
