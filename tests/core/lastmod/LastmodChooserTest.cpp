#include <gtest/gtest.h>

#include <map>

#include "core/lastmod/LastmodChooser.h"

namespace linkloom {
namespace {

constexpr platform::FileTime kSecond = 10000000ULL;
constexpr platform::FileTime kDay = 86400 * kSecond;
// 2024-03-03T12:00:00Z, and the run's start a year later.
constexpr platform::FileTime kMarch3 = 133539408000000000ULL;
constexpr platform::FileTime kStart = kMarch3 + 365 * kDay;

class NoNotices : public NoticeSink {
public:
    void Notice(const String& text) override { ADD_FAILURE() << text.ToUtf8(); }
};

class MemoryRecord : public LastmodRecord {
public:
    std::map<std::string, std::pair<std::uint64_t, String>> earlier;
    std::vector<std::string> noted;
    PageHashKind earlierKind = PageHashKind::Content;
    PageHashKind EarlierKind() const override { return earlierKind; }
    PageHashKind Kind() const override { return PageHashKind::Content; }
    const String* Recorded(const String& location, std::uint64_t hash) const override {
        const auto found = earlier.find(location.ToUtf8());
        return found != earlier.end() && found->second.first == hash ? &found->second.second : nullptr;
    }
    std::optional<std::uint64_t> KnownHash(const String&, const platform::FileStamp&) const override {
        return std::nullopt;
    }
    void Note(const String& location, std::uint64_t hash, const String& lastmod, const String&,
              const platform::FileStamp&) override {
        noted.push_back(location.ToUtf8() + " " + std::to_string(hash) + " " + lastmod.ToUtf8());
    }
};

struct Page {
    std::shared_ptr<const String> folder = std::make_shared<const String>(u"");
    String name = u"a.htm";
    PageFacts facts;
};

std::string Decide(LastmodChooser& step, const Page& page, std::optional<Adjustment>* adjustment = nullptr) {
    std::optional<Adjustment> seen;
    const String lastmod = step.Decide({page.folder, page.name, page.facts}, u"https://e.x/a.htm", seen);
    if (adjustment) *adjustment = seen;
    return lastmod.ToUtf8();
}

TEST(LastmodChooser, AsksTheSourcesInOrderAndWritesNoneWhenNoneHasADate) {
    NoNotices notices;
    LastmodChooser step({u"", {LastmodSourceKind::Meta, LastmodSourceKind::Mtime}}, notices, {0, kStart});
    EXPECT_TRUE(step.Needs().headTags);
    EXPECT_FALSE(step.Needs().contentHash || step.Needs().byteHash);
    Page page;
    page.facts.written = kMarch3;
    EXPECT_EQ(Decide(step, page), "2024-03-03");
    page.facts.headTags = ScanHeadTags(u"<meta itemprop=dateModified content=2020-05-06>");
    EXPECT_EQ(Decide(step, page), "2020-05-06");

    LastmodChooser metaOnly({u"", {LastmodSourceKind::Meta}}, notices, {0, kStart});
    page.facts.headTags = HeadTags();
    EXPECT_EQ(Decide(metaOnly, page), "");
}

TEST(LastmodChooser, WritesDatesInTheFutureAsTheStartAndInLocalTime) {
    NoNotices notices;
    LastmodChooser step({u"", {LastmodSourceKind::Mtime}, nullptr, true}, notices, {3600, kStart});
    Page page;
    page.facts.written = kStart + kSecond;
    std::optional<Adjustment> adjustment;
    EXPECT_EQ(Decide(step, page, &adjustment), "2025-03-03T13:00:00+01:00");
    EXPECT_EQ(adjustment, Adjustment::TimeInFuture);
    page.facts.written = kMarch3;
    EXPECT_EQ(Decide(step, page, &adjustment), "2024-03-03T13:00:00+01:00");
    EXPECT_FALSE(adjustment);
    // A time of 0 stands for one before 1601, which no file time holds.
    page.facts.written = 0;
    EXPECT_EQ(Decide(step, page, &adjustment), "1601-01-01T01:00:00+01:00");
    EXPECT_EQ(adjustment, Adjustment::TimeOutOfRange);
}

TEST(LastmodChooser, KeepsTheRecordedDateOfUnchangedPagesAndNotesEveryPage) {
    NoNotices notices;
    MemoryRecord record;
    record.earlier["https://e.x/a.htm"] = {7, u"2001-02-03"};
    LastmodChooser step({u"", {LastmodSourceKind::Mtime}, &record}, notices, {0, kStart});
    EXPECT_TRUE(step.Needs().contentHash);
    EXPECT_FALSE(step.Needs().byteHash);
    Page page;
    page.facts.written = kMarch3;
    page.facts.contentHash = 7;
    EXPECT_EQ(Decide(step, page), "2001-02-03");
    page.facts.contentHash = 8;
    EXPECT_EQ(Decide(step, page), "2024-03-03");
    page.facts.contentHash.reset();
    EXPECT_EQ(Decide(step, page), "2024-03-03");
    EXPECT_EQ(record.noted,
              (std::vector<std::string>{"https://e.x/a.htm 7 2001-02-03", "https://e.x/a.htm 8 2024-03-03"}));
}

TEST(LastmodChooser, LooksUpARecordOfBytesByTheBytesAndNotesTheContent) {
    NoNotices notices;
    MemoryRecord record;
    record.earlierKind = PageHashKind::Bytes;
    record.earlier["https://e.x/a.htm"] = {7, u"2001-02-03"};
    LastmodChooser step({u"", {LastmodSourceKind::Mtime}, &record}, notices, {0, kStart});
    EXPECT_TRUE(step.Needs().contentHash && step.Needs().byteHash);
    Page page;
    page.facts.written = kMarch3;
    page.facts.byteHash = 7;
    page.facts.contentHash = 9;
    EXPECT_EQ(Decide(step, page), "2001-02-03");
    EXPECT_EQ(record.noted, std::vector<std::string>{"https://e.x/a.htm 9 2001-02-03"});
}

}  // namespace
}  // namespace linkloom
