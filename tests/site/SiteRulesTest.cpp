#include "site/SiteRules.h"

#include <gtest/gtest.h>

#include "site/SettingsFile.h"
#include "support/StringPrinter.h"
#include "support/TempTree.h"

namespace linkloom {
namespace {

class SiteRulesTest : public ::testing::Test {
protected:
    // Reads `text` as a site's settings file and applies its rules; "" when that worked.
    String Apply(const std::string& text) {
        tree_.File("site/linkloom.toml", text);
        SiteSettings settings;
        String error;
        if (!ReadSettingsFile(path_, SettingsOrigin::Folder, settings, error)) return error;
        rules_ = SiteRules();
        return ApplySiteRules(settings, rules_, error) ? String() : error;
    }

    test::TempTree tree_;
    const String path_ = test::ToEnginePath(tree_.Path() / "site" / "linkloom.toml");
    SiteRules rules_;
};

// The inputs and what only linkloom-cli uses are left alone; the rules reach the plan.
TEST_F(SiteRulesTest, AFileGivesARunPlanItsRules) {
    ASSERT_EQ(Apply("ext = 'html'\nsubfolders = false\njobs = 2\nquiet = true\n"
                    "folder-urls = true\nindex-names = ['home.html']\ndrop-extensions = 'html'\n"
                    "lastmod = ['meta', 'mtime']\nlastmod-time = true\nexclude = ['drafts/', '*.bak']\n"
                    "robots-meta = true\nskip-template-names = true\n"),
              String());
    SelectionOptions selection;
    String error;
    ASSERT_TRUE(rules_.Settle(false, selection, error));
    EXPECT_TRUE(selection.subfolders);
    EXPECT_FALSE(selection.excludeNoindex);
    EXPECT_TRUE(selection.lastmodWithTime && selection.skipTemplateNames && !selection.requireDoctype);

    RunPlan plan(RunSettings{});
    rules_.PutInto(plan, nullptr);
    ASSERT_TRUE(plan.rules);
    EXPECT_TRUE(plan.rules->folderUrls && plan.rules->robotsMeta && !plan.rules->canonical);
    EXPECT_EQ(plan.rules->indexNames.Items(), std::vector<String>{u"home.html"});
    EXPECT_EQ(plan.rules->droppedExtensions.Items(), std::vector<String>{u"html"});
    EXPECT_EQ(plan.lastmod, (LastmodOrder{LastmodSourceKind::Meta, LastmodSourceKind::Mtime}));
    EXPECT_EQ(plan.exclusions.size(), 2u);
}

TEST_F(SiteRulesTest, ARefusedValueNamesTheFileAndLineAndRulesMustAgree) {
    EXPECT_EQ(Apply("\nlastmod = 'mtime,ctime'\n"),
              path_ + u":2: --lastmod takes git, meta, mtime and none, not 'ctime'");
    EXPECT_EQ(Apply("lastmod = 'git,,mtime'\n"), path_ + u":1: --lastmod takes git, meta, mtime and none, not ''");
    EXPECT_EQ(Apply("lastmod = 'mtime,mtime'\n"), path_ + u":1: --lastmod names 'mtime' twice");
    EXPECT_EQ(Apply("lastmod = 'none,mtime'\n"), path_ + u":1: --lastmod: \"none\" ends the list");
    EXPECT_EQ(Apply("exclude = '" + std::string(4097, 'x') + "'\n"),
              path_ + u":1: --exclude takes patterns of at most 4096 characters, not 4097");
    ASSERT_EQ(Apply("index-names = 'home.html'\n"), String());
    SelectionOptions selection;
    String error;
    EXPECT_FALSE(rules_.Settle(false, selection, error));
    EXPECT_EQ(error, String(u"--index-names needs --folder-urls"));
    ASSERT_EQ(Apply("trailing-slash = 'always'\n"), String());
    EXPECT_FALSE(rules_.Settle(false, selection, error));
    EXPECT_EQ(error, String(u"--trailing-slash needs --folder-urls or --drop-extensions"));
    ASSERT_EQ(Apply("robots-meta = true\n"), String());
    EXPECT_FALSE(rules_.Settle(true, selection, error));
    EXPECT_EQ(error, String(u"--robots-meta and --include-noindex ask for opposite things"));
    // A list of dots names no extension; it once dropped "htm", the default of the extension box.
    EXPECT_EQ(Apply("drop-extensions = '. , .'\n"),
              path_ + u":1: --drop-extensions needs a list of extensions, not '. , .'");

    RunPlan plan(RunSettings{});
    ASSERT_EQ(Apply("exclude = 'x/'\n"), String());
    rules_.PutInto(plan, nullptr);
    EXPECT_FALSE(plan.rules);
}

}  // namespace
}  // namespace linkloom
