#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/model/RunMessages.h"
#include "core/sitemap/SitemapEntry.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"
#include "support/StringPrinter.h"
#include "support/TreeRun.h"

namespace linkloom {
namespace {

using test::FakeFront;
using test::FrontFor;
using test::Outcome;
using test::TempTree;
using Strings = std::vector<std::string>;

SelectionOptions BothTests() {
    SelectionOptions options;
    options.requireDoctype = true;
    return options;
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
        tree.File(at + "wide.htm", "\xFF\xFE" + test::Utf16Le(u"<!DOCTYPE html><title>x</title><p>caf\u00E9</p>"),
                  test::kNoonMarch3);
        tree.File(at + "utf8 caf\xC3\xA9.htm", doctype + "<p>caf\xC3\xA9 \xE2\x82\xAC</p>", test::kNoonMarch3);
        tree.File(at + "late.htm", doctype + std::string(5000, ' ') + "noindex", test::kNoonMarch3);
        tree.File(at + "MyTemplate.htm", doctype, test::kNoonMarch3);
        tree.File(at + "notes.txt", doctype, test::kNoonMarch3);
        tree.Folder(at + "folder.htm");
    }
}

struct Result {
    Outcome outcome;
    std::string document;
    Strings leftOut;
};

Result RunWith(const TempTree& tree, SelectionOptions options, int readers) {
    options.skipTemplateNames = true;
    FakeFront host = FrontFor(tree, u"htm", options);
    host.readers = readers;
    host.reports = true;
    const Outcome outcome = host.Run();
    return {outcome, host.document, host.leftOut};
}

TEST(PageReadersAhead, GiveTheSameDocumentAndReportAsReadingInTurn) {
    TempTree tree;
    FillWithEveryKind(tree);
#ifndef _WIN32
    // A page that cannot be opened at all.
    std::filesystem::create_symlink(tree.Path() / "nowhere", tree.Path() / "f3" / "broken.htm");
#endif
    for (const SelectionOptions& options : {test::SubfoldersOnly(), BothTests()}) {
        const Result inTurn = RunWith(tree, options, 1);
        ASSERT_EQ(inTurn.outcome, Outcome::Document);
        for (const int readers : {2, 3, 8}) {
            const Result ahead = RunWith(tree, options, readers);
            EXPECT_EQ(ahead.outcome, inTurn.outcome);
            EXPECT_EQ(ahead.document, inTurn.document) << readers;
            EXPECT_EQ(ahead.leftOut, inTurn.leftOut) << readers;
        }
    }
#ifndef _WIN32
    // Which pages each test keeps is the content test's to show; here, that the reason reaches the report.
    const Result filtered = RunWith(tree, BothTests(), 2);
    EXPECT_NE(std::find(filtered.leftOut.begin(), filtered.leftOut.end(),
                        "f3/broken.htm (unreadable: No such file or directory)"),
              filtered.leftOut.end());
#endif
}

TEST(PageReadersAhead, CancelKeepsExactlyTheEntriesBeforeIt) {
    TempTree tree;
    FillWithEveryKind(tree);
    FakeFront whole = FrontFor(tree, u"htm", BothTests());
    whole.streams = true;
    whole.Run();
    ASSERT_GT(whole.streamed.size(), 10u);
    for (const int readers : {1, 3}) {
        FakeFront host = FrontFor(tree, u"htm", BothTests());
        host.streams = true;
        host.readers = readers;
        host.cancelAtEntries = 7;
        EXPECT_EQ(host.Run(), Outcome::Document);
        ASSERT_EQ(host.streamed.size(), 7u) << readers;
        for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(host.streamed[i].location, whole.streamed[i].location);
        EXPECT_EQ(host.calls.back(), "end 7");
    }
}

TEST(SitemapRunEnds, AFolderThatCannotBeListedSaysSo) {
    TempTree tree;
    tree.File("a.htm");
    FakeFront host = FrontFor(tree);
    // Taken away once the inputs are accepted, so that the walk cannot list it.
    host.accepting = [&tree] { std::filesystem::remove_all(tree.Path()); };
    EXPECT_EQ(host.Run(), Outcome::FolderUnreadable);
}

// The desktop program's run too: a file time later than the run's start is written as the start.
TEST(SitemapRunDates, AFileTimeInTheFutureIsWrittenAsTheRunsStart) {
    TempTree tree;
    const platform::FileTime before = platform::CurrentFileTime();
    tree.File("future.htm", "<p>x</p>", before + 400 * test::kDay);
    SelectionOptions withTime = test::SubfoldersOnly();
    withTime.lastmodWithTime = true;
    FakeFront host = FrontFor(tree, u"htm", withTime);
    ASSERT_EQ(host.Run(), Outcome::Document);
    const platform::FileTime after = platform::CurrentFileTime();
    const std::int64_t offset = platform::CurrentUtcOffsetSeconds();
    const std::string document = host.document;
    const std::size_t at = document.find("future.htm</loc>\r\n <lastmod>");
    ASSERT_NE(at, std::string::npos);
    const std::string written = document.substr(at + 28, 25);
    EXPECT_GE(written, LastmodText(before, true, offset).ToUtf8());
    EXPECT_LE(written, LastmodText(after, true, offset).ToUtf8());
}

}  // namespace
}  // namespace linkloom
