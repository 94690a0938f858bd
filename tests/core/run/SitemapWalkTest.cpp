#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/model/JobMessages.h"
#include "core/sitemap/SitemapEntry.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"
#include "support/JobRun.h"
#include "support/StringPrinter.h"

namespace linkloom {
namespace {

using test::FakeHost;
using test::HostFor;
using test::TempTree;
using Strings = std::vector<std::string>;

constexpr JobFlags kBothTests = JobFlag::Subfolders | JobFlag::ExcludeNoindex | JobFlag::RequireDoctype;

std::string Utf16Le(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) bytes += std::string(1, c) + '\0';
    return bytes;
}

// A tree with every kind of page the content test meets, in several folders.
void FillWithEveryKind(TempTree& tree) {
    const std::string doctype = "<!DOCTYPE html><title>x</title>";
    for (int folder = 0; folder < 12; ++folder) {
        const std::string at = "f" + std::to_string(folder) + "/";
        tree.File(at + "plain.htm", doctype + "<p>words</p>", test::kNoonMarch3);
        tree.File(at + "hidden.htm", doctype + "<meta name=robots content=NOINDEX>", test::kNoonMarch3);
        tree.File(at + "fragment.htm", "<p>no doctype</p>", test::kNoonMarch3);
        tree.File(at + "empty.htm", "", test::kNoonMarch3);
        tree.File(at + "binary.htm", std::string("\x01\x02\x03\x00zz", 6), test::kNoonMarch3);
        tree.File(at + "wide.htm", Utf16Le(doctype + "<p>caf\xE9</p>"), test::kNoonMarch3);
        tree.File(at + "utf8 caf\xC3\xA9.htm", doctype + "<p>caf\xC3\xA9 \xE2\x82\xAC</p>", test::kNoonMarch3);
        tree.File(at + "late.htm", doctype + std::string(5000, ' ') + "noindex", test::kNoonMarch3);
        tree.File(at + "MyTemplate.htm", doctype, test::kNoonMarch3);
        tree.File(at + "notes.txt", doctype, test::kNoonMarch3);
        tree.Folder(at + "folder.htm");
    }
}

struct Result {
    JobOutcome outcome;
    std::string document;
    Strings leftOut;
};

Result RunWith(const TempTree& tree, JobFlags flags, int readers) {
    FakeHost host = HostFor(tree, u"htm", flags | JobFlag::SkipTemplateNames);
    host.readers = readers;
    host.reports = true;
    const JobOutcome outcome = SitemapJob(host).Run();
    return {outcome, host.document, host.leftOut};
}

TEST(PageReadersAhead, GiveTheSameDocumentAndReportAsReadingInTurn) {
    TempTree tree;
    FillWithEveryKind(tree);
#ifndef _WIN32
    // A page that cannot be opened at all.
    std::filesystem::create_symlink(tree.Path() / "nowhere", tree.Path() / "f3" / "broken.htm");
#endif
    for (const JobFlags flags : {JobFlag::Subfolders, kBothTests}) {
        const Result inTurn = RunWith(tree, flags, 1);
        ASSERT_EQ(inTurn.outcome, JobOutcome::Document);
        for (const int readers : {2, 3, 8}) {
            const Result ahead = RunWith(tree, flags, readers);
            EXPECT_EQ(ahead.outcome, inTurn.outcome);
            EXPECT_EQ(ahead.document, inTurn.document) << readers;
            EXPECT_EQ(ahead.leftOut, inTurn.leftOut) << readers;
        }
    }
    const Result filtered = RunWith(tree, kBothTests, 2);
    EXPECT_EQ(test::Locations(filtered.document).size(), 12u * 4);  // plain, wide, utf8 and late
    EXPECT_NE(std::find(filtered.leftOut.begin(), filtered.leftOut.end(), "f0/empty.htm (unreadable)"),
              filtered.leftOut.end());
#ifndef _WIN32
    EXPECT_NE(std::find(filtered.leftOut.begin(), filtered.leftOut.end(),
                        "f3/broken.htm (unreadable: No such file or directory)"),
              filtered.leftOut.end());
#endif
}

TEST(PageReadersAhead, CancelKeepsExactlyTheEntriesBeforeIt) {
    TempTree tree;
    FillWithEveryKind(tree);
    FakeHost whole = HostFor(tree, u"htm", kBothTests);
    whole.streams = true;
    SitemapJob(whole).Run();
    ASSERT_GT(whole.streamed.size(), 10u);
    for (const int readers : {1, 3}) {
        FakeHost host = HostFor(tree, u"htm", kBothTests);
        host.streams = true;
        host.readers = readers;
        host.cancelAtEntries = 7;
        EXPECT_EQ(SitemapJob(host).Run(), JobOutcome::Document);
        ASSERT_EQ(host.streamed.size(), 7u) << readers;
        for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(host.streamed[i].location, whole.streamed[i].location);
        EXPECT_EQ(host.calls.back(), "end 7");
    }
}

Strings Walk(FakeHost& host) {
    SitemapJob(host).Run();
    return test::Locations(host.document);
}

class SitemapWalkProgress : public ::testing::Test {
protected:
    void SetUp() override {
        tree.File("b.HTM");
        tree.File("a.htm");
        tree.File("c.php");
        tree.File("d.txt");
        tree.File("Docs/Old/page.htm");
        tree.File("Docs/index.htm");
        tree.File("Docs/z.php");
        tree.File("e.htm");
    }
    TempTree tree;
};

TEST_F(SitemapWalkProgress, StaysInTheFolderWithoutSubfolders) {
    FakeHost host = HostFor(tree, u"htm,php", 0);
    EXPECT_EQ(Walk(host), (Strings{"https://example.com/a.htm", "https://example.com/b.HTM",
                                  "https://example.com/c.php", "https://example.com/e.htm"}));
}

TEST_F(SitemapWalkProgress, SetsTheTitleOncePerFolderDeepestFirst) {
    FakeHost host = HostFor(tree);
    Walk(host);
    EXPECT_EQ(host.CallsStartingWith("title"),
              (Strings{"title working... (5 files found)", "title working... (6 files found)",
                       "title working... (7 files found)"}));
    EXPECT_EQ(host.CallsStartingWith("hide").size(), 1u);
}

TEST_F(SitemapWalkProgress, CancelKeepsTheEntriesFoundSoFarInAClosedDocument) {
    FakeHost host = HostFor(tree);
    host.cancelAtPump = 6;  // a, b, c, d.txt, Docs, then Docs/index.htm is never reached
    EXPECT_EQ(Walk(host), (Strings{"https://example.com/a.htm", "https://example.com/b.HTM",
                                  "https://example.com/c.php"}));
    EXPECT_NE(host.document.find("<!-- 3 files added -->\r\n</urlset>\r\n"), std::string::npos);
    EXPECT_TRUE(host.CallsStartingWith("title").empty());

    FakeHost early = HostFor(tree);
    early.cancelAtPump = 1;
    EXPECT_EQ(SitemapJob(early).Run(), JobOutcome::NoFiles);
}

TEST_F(SitemapWalkProgress, WithoutAProgressWindowRunsToTheEndSilently) {
    FakeHost host = HostFor(tree);
    host.hasProgress = false;
    host.cancelAtPump = 1;
    EXPECT_EQ(Walk(host).size(), 7u);
    EXPECT_TRUE(host.CallsStartingWith("title").empty());
    EXPECT_TRUE(host.CallsStartingWith("hide").empty());
}

TEST(SitemapWalkSelection, SkipsTemplateNamesButNotTemplateFolders) {
    TempTree tree;
    tree.File("MyTemplate.htm");
    tree.File("templates/page.htm");
    tree.File("page.htm");
    FakeHost host = HostFor(tree, u"htm", JobFlag::Subfolders | JobFlag::SkipTemplateNames);
    EXPECT_EQ(Walk(host), (Strings{"https://example.com/page.htm", "https://example.com/templates/page.htm"}));
    FakeHost all = HostFor(tree, u"htm");
    EXPECT_EQ(Walk(all).size(), 3u);
}

TEST(SitemapWalkDepth, WalksAThousandLevelsAndLongPaths) {
    TempTree tree;
    std::string relative;
    // Built level by level, so no single call needs the whole long path.
    for (int level = 0; level < 1000; ++level) relative += "d/";
    std::error_code error;
    std::filesystem::create_directories(tree.Path() / std::filesystem::u8path(relative), error);
    ASSERT_FALSE(error) << error.message();
    tree.File(relative + "deep.htm");
    tree.File("top.htm");
    FakeHost host = HostFor(tree, u"htm");
    const Strings found = Walk(host);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].size(), std::string("https://example.com/").size() + relative.size() + 8);
    EXPECT_EQ(found[0].find('\\'), std::string::npos);
    EXPECT_EQ(found[0].find('?'), std::string::npos);
    EXPECT_EQ(found[1], "https://example.com/top.htm");
}

// Takes the folder away once the run has accepted it, so that the walk cannot list it.
class VanishingFolderHost : public FakeHost {
public:
    std::filesystem::path folder;
    void SaveSettings(const JobSettings& settings) override {
        FakeHost::SaveSettings(settings);
        std::filesystem::remove_all(folder);
    }
};

TEST(SitemapWalkEnds, AFolderThatCannotBeListedEndsWithTheNoFilesMessage) {
    TempTree tree;
    tree.File("a.htm");
    VanishingFolderHost host;
    host.inputs = {tree.Root(), u"htm", u"https://example.com/", true, false};
    host.folder = tree.Path();
    EXPECT_EQ(SitemapJob(host).Run(), JobOutcome::FolderUnreadable);
    EXPECT_EQ(host.calls.back(), std::string("message 48 ") + String(JobMessage::kNoFiles).ToUtf8());
}

TEST(SitemapWalkEnds, LeavesOutLocationsLongerThanASitemapAllows) {
    TempTree tree;
    const std::string name(200, 'n');
    std::string deep;
    for (int level = 0; level < 11; ++level) deep += name + "/";
    tree.File(deep + "page.htm");
    tree.File("short.htm");
    FakeHost host = HostFor(tree, u"htm");
    host.reports = true;
    ASSERT_EQ(SitemapJob(host).Run(), JobOutcome::Document);
    EXPECT_EQ(test::Locations(host.document), Strings{"https://example.com/short.htm"});
    EXPECT_EQ(host.leftOut, Strings{deep + "page.htm (URL too long)"});
}

}  // namespace
}  // namespace linkloom

namespace linkloom {
namespace {

// The desktop program's run too: a file time later than the run's start is written as the start.
TEST(SitemapWalkDates, AFileTimeInTheFutureIsWrittenAsTheRunsStart) {
    TempTree tree;
    constexpr platform::FileTime kDay = 864000000000ULL;
    const platform::FileTime before = platform::CurrentFileTime();
    tree.File("future.htm", "<p>x</p>", before + 400 * kDay);
    tree.File("past.htm", "<p>x</p>", test::kNoonMarch3);
    FakeHost host = HostFor(tree, u"htm", JobFlag::Subfolders | JobFlag::LastmodWithTime);
    ASSERT_EQ(SitemapJob(host).Run(), JobOutcome::Document);
    const platform::FileTime after = platform::CurrentFileTime();
    const std::int64_t offset = platform::CurrentUtcOffsetSeconds();
    const std::string document = host.document;
    const std::size_t at = document.find("future.htm</loc>\r\n <lastmod>");
    ASSERT_NE(at, std::string::npos);
    const std::string written = document.substr(at + 28, 25);
    EXPECT_GE(written, LastmodText(before, true, offset).ToUtf8());
    EXPECT_LE(written, LastmodText(after, true, offset).ToUtf8());
    EXPECT_NE(document.find("past.htm</loc>\r\n <lastmod>" + LastmodText(test::kNoonMarch3, true, offset).ToUtf8()),
              std::string::npos);
}

}  // namespace
}  // namespace linkloom
