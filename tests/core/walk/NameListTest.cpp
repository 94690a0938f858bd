#include <gtest/gtest.h>

#include "core/walk/NameList.h"
#include "support/StringPrinter.h"

namespace linkloom {
namespace {

TEST(NameList, CutsItemsAtSeparatorsAndTrimsThem) {
    NameList list;
    ASSERT_TRUE(list.Parse(u"htm,\tphp\t,,asp", u','));
    ASSERT_EQ(list.Items().size(), 3u);
    EXPECT_EQ(list.Items()[0], String(u"htm"));
    EXPECT_EQ(list.Items()[1], String(u"php"));
    EXPECT_EQ(list.Items()[2], String(u"asp"));

    EXPECT_FALSE(list.Parse(u",", u','));
    EXPECT_TRUE(list.Items().empty());
    EXPECT_FALSE(list.Parse(u"", u','));
    EXPECT_FALSE(list.Contains(u""));
}

TEST(NameList, MatchesWithoutRegardToCase) {
    NameList list;
    list.Parse(u"htm,PHP", u',');
    EXPECT_TRUE(list.Contains(u"HTM"));
    EXPECT_TRUE(list.Contains(u"php"));
    EXPECT_FALSE(list.Contains(u"html"));
    EXPECT_FALSE(list.Contains(u"ht"));
    list.Parse(u"htm;php", u',');
    EXPECT_FALSE(list.Contains(u"htm"));
}

}  // namespace
}  // namespace linkloom
