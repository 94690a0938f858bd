#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/rules/SameUrlMerge.h"

namespace linkloom {
namespace {

class Collected : public EntrySink {
public:
    void Add(const SitemapEntry& entry) override { entries.push_back(entry); }
    bool Failed() const override { return false; }
    std::vector<SitemapEntry> entries;
};

String Location(int number) { return String(u"https://example.com/section/folder/page") + String::FromInt(number); }

TEST(SameUrlMerge, MergesEntriesHeldOutOfMemoryAndKeepsTheirOrder) {
    // Enough entries that the first ones wait in the scratch file when they are merged.
    constexpr int kEntries = 20000;
    SameUrlMerge merge;
    const std::size_t late = merge.Reserve();
    for (int i = 0; i < kEntries; ++i) {
        EXPECT_FALSE(
            merge.Add({Location(i), u"2020-01-01", {{u"de", u"https://example.com/de"}}, {u"a.png"}}, u"p.htm"));
    }
    const auto first = merge.Add(
        {Location(0), u"2024-05-06", {{u"de", u"x"}, {u"fr", u"https://example.com/fr"}}, {u"b.png"}}, u"again.htm");
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, String(u"p.htm"));
    EXPECT_EQ(merge.Add({Location(1), u"2019-01-01"}, u"older.htm"), String(u"p.htm"));
    EXPECT_FALSE(merge.Add({u"https://example.com/late", u""}, u"late.htm", late));

    Collected sink;
    merge.Flush(sink);
    ASSERT_EQ(sink.entries.size(), static_cast<std::size_t>(kEntries + 1));
    EXPECT_EQ(sink.entries[0].location, String(u"https://example.com/late"));
    const SitemapEntry& merged = sink.entries[1];
    EXPECT_EQ(merged.location, Location(0));
    EXPECT_EQ(merged.lastmod, String(u"2024-05-06"));
    ASSERT_EQ(merged.alternates.size(), 2u);
    EXPECT_EQ(merged.alternates[0].location, String(u"https://example.com/de"));
    EXPECT_EQ(merged.alternates[1].language, String(u"fr"));
    EXPECT_EQ(merged.images, std::vector<String>{u"a.png"});
    EXPECT_EQ(sink.entries[2].lastmod, String(u"2020-01-01"));
    EXPECT_EQ(sink.entries[kEntries].location, Location(kEntries - 1));
}

}  // namespace
}  // namespace linkloom
