#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/state/StateRecord.h"
#include "support/TempTree.h"

namespace linkloom::cli {
namespace {

constexpr platform::FileTime kBegan = 1000000000;
constexpr platform::FileTime kWritten = 900000000;

TEST(StateRecord, KeepsDatesOfUnchangedPagesAndWritesThisRunsLines) {
    test::TempTree tree;
    const String path = tree.Root() + u"state.txt";
    StateRecord first(PageHashKind::Content, kBegan);
    ASSERT_FALSE(first.Load(path));  // missing: empty
    first.Note(u"https://e.x/a", 0x0123456789abcdefULL, u"2024-03-03", u"a b%.htm", {kWritten, 5});
    first.Note(u"https://e.x/b", 2, String(), u"d/b.htm", {kBegan, 7});
    ASSERT_FALSE(first.Save(path));
    EXPECT_EQ(
        test::ReadFile(tree.Path() / "state.txt"),
        "linkloom-state 3 content 1000000000\n0123456789abcdef 2024-03-03 5 900000000 a%20b%25.htm https://e.x/a\n"
        "0000000000000002 - 7 1000000000 d/b.htm https://e.x/b\n");

    // A file of the recorded size and time keeps its hash unread, unless it was written within
    // two seconds of the recording run's start (it may have changed again in that tick).
    StateRecord same(PageHashKind::Content);
    ASSERT_FALSE(same.Load(path));
    EXPECT_EQ(same.KnownHash(u"a b%.htm", {kWritten, 5}), 0x0123456789abcdefULL);
    EXPECT_FALSE(same.KnownHash(u"a b%.htm", {kWritten, 6}));
    EXPECT_FALSE(same.KnownHash(u"a b%.htm", {kWritten + 1, 5}));
    EXPECT_FALSE(same.KnownHash(u"d/b.htm", {kBegan, 7}));

    // Read for a run that hashes bytes, it still says what its own hashes are of.
    StateRecord second(PageHashKind::Bytes);
    ASSERT_FALSE(second.Load(path));
    EXPECT_EQ(second.EarlierKind(), PageHashKind::Content);
    ASSERT_NE(second.Recorded(u"https://e.x/a", 0x0123456789abcdefULL), nullptr);
    EXPECT_EQ(second.Recorded(u"https://e.x/a", 0x0123456789abcdefULL)->ToUtf8(), "2024-03-03");
    EXPECT_EQ(second.Recorded(u"https://e.x/a", 1), nullptr);
    EXPECT_EQ(second.Recorded(u"https://e.x/b", 2), nullptr);  // no lastmod was written
    EXPECT_EQ(second.Recorded(u"https://e.x/c", 2), nullptr);
    EXPECT_FALSE(second.KnownHash(u"a b%.htm", {kWritten, 5}));  // a hash of the other kind
}

TEST(StateRecord, PagesThatComeToOneLocationEachFindTheirDate) {
    test::TempTree tree;
    tree.File("state.txt",
              "linkloom-state 1\n"
              "0000000000000001 2024-03-01 https://e.x/a\n"
              "0000000000000002 2024-03-02 https://e.x/a\n"
              "0000000000000003 2024-03-05 https://e.x/b\n"
              "0000000000000003 2024-03-04 https://e.x/b\n");
    StateRecord record(PageHashKind::Content);
    ASSERT_FALSE(record.Load(tree.Root() + u"state.txt"));
    EXPECT_EQ(record.EarlierKind(), PageHashKind::Bytes);
    ASSERT_NE(record.Recorded(u"https://e.x/a", 1), nullptr);
    EXPECT_EQ(record.Recorded(u"https://e.x/a", 1)->ToUtf8(), "2024-03-01");
    EXPECT_EQ(record.Recorded(u"https://e.x/a", 2)->ToUtf8(), "2024-03-02");
    // Pages of the same bytes at one location: the newest date, which their merged entry was given.
    EXPECT_EQ(record.Recorded(u"https://e.x/b", 3)->ToUtf8(), "2024-03-05");
}

TEST(StateRecord, RefusesWhatIsNotARecordAndSaysWhichLine) {
    test::TempTree tree;
    for (const std::string& text :
         {std::string("linkloom-state 1\nzz 2024 https://e.x/a\n"),
          std::string("linkloom-state 1\n0123456789abcdef 2024\n"), std::string("linkloom-state 1\n\n"),
          std::string("linkloom-state 2\n"), std::string("other 1\n"), std::string("linkloom-state 3 content\n"),
          std::string("linkloom-state 3 bytes 9\n0123456789abcdef - 1 2 https://e.x/a\n")}) {
        tree.File("bad.txt", text);
        StateRecord record(PageHashKind::Content);
        const auto failure = record.Load(tree.Root() + u"bad.txt");
        ASSERT_TRUE(failure) << text;
        EXPECT_TRUE(platform::Describe(*failure).StartsWith(u"line ")) << text;
    }
}

TEST(StateRecord, ReadsCrlfLinesAcrossManyReads) {
    test::TempTree tree;
    std::string text = "linkloom-state 1\r\n";
    for (int n = 0; n < 20000; ++n) text += "0000000000000001 2019-01-01 https://e.x/" + std::to_string(n) + "\r\n";
    tree.File("state.txt", text + "0000000000000001 2024-03-03 https://e.x/7\r\n");
    StateRecord record(PageHashKind::Content);
    ASSERT_FALSE(record.Load(tree.Root() + u"state.txt"));
    EXPECT_EQ(record.Recorded(u"https://e.x/19999", 1)->ToUtf8(), "2019-01-01");
    EXPECT_EQ(record.Recorded(u"https://e.x/7", 1)->ToUtf8(), "2024-03-03");
}

TEST(StateRecord, ReadsAnEmptyFileARecordWithAByteOrderMarkAndALinkToNoFileYet) {
    test::TempTree tree;
    const std::string line = "0123456789abcdef 2024-03-03 https://e.x/a\n";
    for (const std::string& text : {std::string(), "\xEF\xBB\xBFlinkloom-state 2 bytes\n" + line}) {
        tree.File("state.txt", text);
        StateRecord record(PageHashKind::Content);
        EXPECT_FALSE(record.Load(tree.Root() + u"state.txt"));
        EXPECT_EQ(record.Recorded(u"https://e.x/a", 0x0123456789abcdefULL) != nullptr, !text.empty());
        // An empty record is of this run's kind.
        EXPECT_EQ(record.EarlierKind(), text.empty() ? PageHashKind::Content : PageHashKind::Bytes);
    }
    std::error_code linked;
    std::filesystem::create_symlink(tree.Path() / "later.txt", tree.Path() / "link.txt", linked);
    if (linked) return;
    StateRecord record(PageHashKind::Content);
    EXPECT_FALSE(record.Load(tree.Root() + u"link.txt"));
}

}  // namespace
}  // namespace linkloom::cli
