#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/rules/CanonicalChains.h"

namespace linkloom {
namespace {

class Outcome : public CanonicalChains::Outlet {
public:
    void Keep(SitemapEntry entry, const String& path, std::optional<Adjustment>, std::optional<std::size_t>) override {
        kept.push_back(path.ToUtf8() + " " + entry.location.ToUtf8());
    }
    void LeaveOut(const String& path, LeftOutReason, const String& detail) override {
        leftOut.push_back(path.ToUtf8() + " " + detail.ToUtf8());
    }
    void Ignore(const String& path, const LinkNote&) override { ignored.push_back(path.ToUtf8()); }
    std::vector<std::string> kept, leftOut, ignored;
};

String Location(int number) { return String(u"https://example.com/section/folder/page") + String::FromInt(number); }

TEST(CanonicalChains, FollowsLinksToLocationsMetLongBeforeAndPagesNotMetYet) {
    // Enough pages that the first locations met are read back from the scratch file.
    constexpr int kPages = 20000;
    SameUrlMerge merge;
    Outcome outcome;
    CanonicalChains chains(merge, outcome, [](std::u16string_view) { return true; });
    const auto page = [](int number, const String& named) {
        return CanonicalChains::Page{
            {named, u""}, String(u"p") + String::FromInt(number), Location(number), std::nullopt};
    };
    for (int i = 0; i < kPages; ++i) chains.Take(page(i, i < kPages / 2 ? Location(i) : Location(i - kPages / 2)));
    chains.Take(page(kPages, Location(kPages + 1)));  // waits for the next page
    chains.Take(page(kPages + 1, Location(kPages + 2)));
    chains.LeftOut(Location(kPages + 2), u"gone");
    chains.Take(page(kPages + 3, Location(kPages + 4)));  // a cycle closed by its last page
    chains.Take(page(kPages + 5, Location(kPages + 3)));
    chains.Take(page(kPages + 4, Location(kPages + 5)));
    chains.Take(page(kPages + 6, Location(kPages + 9)));  // waits for a page that never comes
    chains.End();

    ASSERT_EQ(outcome.kept.size(), static_cast<std::size_t>(kPages + 4));
    EXPECT_EQ(outcome.kept[kPages / 2 + 1], "p10001 " + Location(1).ToUtf8());
    EXPECT_EQ(outcome.kept[kPages - 1], "p19999 " + Location(9999).ToUtf8());
    EXPECT_EQ(outcome.leftOut, (std::vector<std::string>{"p20000 gone", "p20001 gone"}));
    EXPECT_EQ(outcome.ignored, (std::vector<std::string>{"p20003", "p20005", "p20004"}));
    EXPECT_EQ(outcome.kept[kPages + 2], "p20004 " + Location(kPages + 4).ToUtf8());
    EXPECT_EQ(outcome.kept[kPages + 3], "p20006 " + Location(kPages + 9).ToUtf8());
}

}  // namespace
}  // namespace linkloom
