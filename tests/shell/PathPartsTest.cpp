#include <gtest/gtest.h>

#include "base/PathText.h"
#include "shell/PathParts.h"
#include "support/StringPrinter.h"

namespace linkloom {
namespace {

String Repeat(char16_t unit, std::size_t count) { return String(std::u16string(count, unit)); }

TEST(PathRoot, DriveAndNetworkRoots) {
    EXPECT_EQ(PathRoot(u"C:\\site\\docs"), String(u"C:\\"));
    EXPECT_EQ(PathRoot(u"C:"), String(u"C:\\"));
    EXPECT_EQ(PathRoot(u"\\\\?\\C:\\site"), String(u"C:\\"));
    EXPECT_EQ(PathRoot(u"\\\\server\\share\\site\\docs"), String(u"\\\\server\\share\\"));
    EXPECT_EQ(PathRoot(u"\\\\server\\share"), String(u"\\\\server\\share\\"));
    EXPECT_EQ(PathRoot(u"\\\\?\\UNC\\server\\share\\site"), String(u"\\\\server\\share\\"));
    EXPECT_EQ(PathRoot(u"\\\\server"), String());
    EXPECT_EQ(PathRoot(u":C\\site"), String());
    EXPECT_EQ(PathRoot(u"site\\docs"), String());
    EXPECT_EQ(PathRoot(u""), String());
}

TEST(PathParts, DirectoryPartAndLastComponent) {
    EXPECT_EQ(DirectoryPart(u"C:\\site\\a.htm"), String(u"C:\\site\\"));
    EXPECT_EQ(LastComponent(u"C:\\site\\a.htm"), String(u"a.htm"));
    EXPECT_EQ(DirectoryPart(u"C:\\site\\"), String(u"C:\\site\\"));
    EXPECT_EQ(LastComponent(u"C:\\site\\"), String());
    EXPECT_EQ(DirectoryPart(u"a.htm"), String());
    EXPECT_EQ(LastComponent(u"a.htm"), String(u"a.htm"));
}

// A folder deep enough that only a short or prefixed form can name it.
const String kDeep = String(u"C:\\") + Repeat(u'd', 250) + u"\\folder";  // 260 units

TEST(LongPathForm, ThresholdIs260Units) {
    const String fits = String(u"C:\\") + Repeat(u'd', 256);  // 259 units
    EXPECT_EQ(LongPathForm(fits, String(), true), fits);
    EXPECT_EQ(LongPathForm(fits + u'd', String(), true), String(u"\\\\?\\") + fits + u'd');
    EXPECT_EQ(LongPathForm(fits + u'd', String(), false), fits + u'd');
    const String prefixed = String(u"\\\\?\\") + kDeep;
    EXPECT_EQ(LongPathForm(prefixed, String(), true), prefixed);
}

TEST(LongPathForm, PrefersTheShortFormUnlessItWouldCutTheExtension) {
    EXPECT_EQ(LongPathForm(kDeep, u"C:\\DDDDDD~1\\folder", true), String(u"C:\\DDDDDD~1\\folder"));
    const String dotted = String(u"C:\\") + Repeat(u'd', 250) + u"\\site.html";
    EXPECT_EQ(LongPathForm(dotted, u"C:\\DDDDDD~1\\SITE~1.HTM", true), String(u"C:\\DDDDDD~1\\site.html"));
    const String threeUnits = String(u"C:\\") + Repeat(u'd', 250) + u"\\site.htm";
    EXPECT_EQ(LongPathForm(threeUnits, u"C:\\DDDDDD~1\\SITE.HTM", true), String(u"C:\\DDDDDD~1\\SITE.HTM"));

    // The long last name may bring the joined text back over the threshold: then it is prefixed.
    const String longName = Repeat(u'n', 250) + u".html";
    const String shortFolder = String(u"C:\\") + Repeat(u'S', 10);
    EXPECT_EQ(LongPathForm(shortFolder + u"\\x\\" + longName, shortFolder + u"\\NNNNNN~1.HTM", true),
              String(u"\\\\?\\") + shortFolder + u'\\' + longName);
}

}  // namespace
}  // namespace linkloom
