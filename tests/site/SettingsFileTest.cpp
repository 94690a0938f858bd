#include "site/SettingsFile.h"

#include <gtest/gtest.h>

#include "site/NearestName.h"
#include "support/StringPrinter.h"
#include "support/TempTree.h"

namespace linkloom {
namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    // Reads `text` as the folder's own settings file (or a named one); the error is "" when it is read.
    String Read(const std::string& text, SettingsOrigin origin = SettingsOrigin::Folder) {
        tree_.File("site/linkloom.toml", text);
        String error;
        const bool read = ReadSettingsFile(path_, origin, settings_, error);
        EXPECT_EQ(read, error.IsEmpty());
        return error;
    }

    // "--name=value" for each use, in order.
    std::vector<String> Uses() const {
        std::vector<String> uses;
        for (const SettingsUse& use : settings_.uses) {
            uses.push_back(String(u"--") + String::FromUtf8(use.key->option) + u"=" + use.value);
        }
        return uses;
    }

    test::TempTree tree_;
    const String path_ = test::ToEnginePath(tree_.Path() / "site" / "linkloom.toml");
    SiteSettings settings_;
};

TEST_F(SettingsFileTest, EachKindOfKeyGivesItsOptionAsTheCommandLineWould) {
    EXPECT_EQ(Read("url = 'https://example.com/'\n"
                   "canonical = true\ngzip = false\n"
                   "subfolders = false\n"
                   "jobs = 4\n"
                   "ext = ['htm', 'html']\nindex-names = 'index.htm,home.htm'\n"
                   "exclude = ['drafts/', '*.bak']\n"
                   "check = 'published/sitemap.xml'\n"),
              String());
    EXPECT_EQ(settings_.rootUrl, String(u"https://example.com/"));
    const String folder = path_.Left(path_.Length() - String(kSettingsFileName).Length());
    EXPECT_EQ(Uses(),
              (std::vector<String>{u"--canonical=", u"--no-subfolders=", u"--jobs=4", u"--ext=htm,html",
                                   u"--index-names=index.htm,home.htm", u"--exclude=drafts/", u"--exclude=*.bak",
                                   String(u"--check=") + folder + u"published/sitemap.xml"}));
    EXPECT_EQ(Read("subfolders = true\nexclude = []\n"), String());
    EXPECT_TRUE(settings_.uses.empty());
}

TEST_F(SettingsFileTest, OnlyANamedFileSaysWhereTheRunWrites) {
    EXPECT_EQ(Read("\noutput = '/srv/sitemap.xml'\n", SettingsOrigin::Named), String());
    EXPECT_EQ(Uses(), std::vector<String>{u"--output=/srv/sitemap.xml"});
    EXPECT_EQ(Read("\nstate = 'state.txt'\n"),
              path_ +
                  u":2: a site's own settings file may not say where the run writes (\"state\"): give --state "
                  u"on the command line, or name the file with --config");
}

TEST_F(SettingsFileTest, EachFaultNamesTheFileAndTheLine) {
    EXPECT_EQ(Read("ext = 'htm'\n\n\ncanonicals = true\n"),
              path_ + u":4: unknown key \"canonicals\"; did you mean \"canonical\"?");
    EXPECT_EQ(Read("[sitemap]\nurl = 'x'\n"), path_ + u":1: unknown key \"sitemap\"");
    EXPECT_EQ(Read("jobs = '4'\n"), path_ + u":1: \"jobs\" takes an integer, not a string");
    EXPECT_EQ(Read("gzip = 1\n"), path_ + u":1: \"gzip\" takes true or false, not an integer");
    EXPECT_EQ(Read("exclude = ['a', 2]\n"),
              path_ + u":1: \"exclude\" takes a string or an array of strings, not an array");
    EXPECT_EQ(Read("url = 1\n"), path_ + u":1: \"url\" takes a string, not an integer");
    EXPECT_TRUE(Read("ext = 'htm'\njobs = \n").StartsWith(path_ + u":2:8: "));
}

TEST(NearestName, ASlipIsNamedAndAStrangerIsNot) {
    const std::vector<std::string> names{"canonical", "exclude", "ext"};
    EXPECT_EQ(NearestName("exlude", names), "exclude");
    EXPECT_EQ(NearestName("canonicals", names), "canonical");
    EXPECT_EQ(NearestName("sitemap", names), "");
}

}  // namespace
}  // namespace linkloom
