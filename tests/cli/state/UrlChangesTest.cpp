#include <gtest/gtest.h>

#include "cli/state/UrlChanges.h"

namespace linkloom::cli {
namespace {

TEST(UrlChanges, ListsNewAndMovedInListingOrderThenGoneInRecordOrder) {
    UrlChanges changes;
    changes.Published("https://e.x/gone2", "2024-01-01");
    changes.Published("https://e.x/same", "2024-01-01");
    changes.Published("https://e.x/merged", "2024-01-01");
    changes.Published("https://e.x/merged", "2024-02-01");  // the newest of one location's lines counts
    changes.Published("https://e.x/moved", "");
    changes.Published("https://e.x/gone1", "2024-01-01");
    for (const char16_t* location :
         {u"https://e.x/new", u"https://e.x/moved", u"https://e.x/same", u"https://e.x/new"}) {
        changes.Listed(
            {location, location == std::u16string_view(u"https://e.x/moved") ? u"2024-03-03" : u"2024-01-01"});
    }
    changes.Listed({u"https://e.x/merged", u"2024-02-01"});
    changes.Finish();
    EXPECT_EQ(changes.Text(), "+ https://e.x/new\n~ https://e.x/moved\n- https://e.x/gone2\n- https://e.x/gone1\n");
    EXPECT_EQ(changes.Summary(), "1 new, 1 changed, 2 gone");
}

}  // namespace
}  // namespace linkloom::cli
