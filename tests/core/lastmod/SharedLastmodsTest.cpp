#include <gtest/gtest.h>

#include "core/lastmod/SharedLastmods.h"
#include "core/sitemap/SitemapEntry.h"

namespace linkloom {
namespace {

class CountingSink : public EntrySink {
public:
    int added = 0;
    void Add(const SitemapEntry&) override { ++added; }
    bool Failed() const override { return false; }
};

// `shared` entries of one day (at differing times), then the rest each of its own day or none.
std::optional<SharedDate> SharedOf(int shared, int entries, CountingSink& sink) {
    SharedLastmods tally(sink);
    for (int i = 0; i < entries; ++i) {
        SitemapEntry entry;
        if (i < shared) {
            entry.lastmod = i % 2 ? u"2024-03-03" : u"2024-03-03T10:00:00+01:00";
        } else if (i % 3) {
            entry.lastmod = String(u"2023-01-") + String::FromIntPadded(i, 2);
        }
        tally.Add(entry);
    }
    return tally.Shared();
}

TEST(SharedLastmods, TellsADateMoreThanHalfOfAtLeastTwentyEntriesShare) {
    CountingSink sink;
    const auto shared = SharedOf(11, 20, sink);
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->count, 11);
    EXPECT_EQ(shared->entries, 20);
    EXPECT_EQ(shared->date.ToUtf8(), "2024-03-03");
    EXPECT_EQ(sink.added, 20);
    EXPECT_FALSE(SharedOf(10, 20, sink));  // exactly half
    EXPECT_FALSE(SharedOf(19, 19, sink));  // too few entries

    const String warning = SharedDateWarning(*shared, {LastmodSourceKind::Meta, LastmodSourceKind::Mtime});
    EXPECT_EQ(warning.ToUtf8(),
              "warning: 11 of 20 entries have the lastmod 2024-03-03, which looks like a build or checkout date "
              "rather than when each page changed; --lastmod git,mtime dates each page by its last commit");
}

}  // namespace
}  // namespace linkloom
