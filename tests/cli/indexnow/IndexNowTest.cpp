#include <gtest/gtest.h>

#include <algorithm>

#include "cli/indexnow/IndexNowRequest.h"
#include "cli/indexnow/IndexNowSite.h"
#include "support/TempTree.h"

namespace linkloom::cli {
namespace {

TEST(IndexNowRequest, EscapesEachStringAndTakesOneBatchFromTheFirstGiven) {
    std::vector<UrlChanges::Change> changes(kIndexNowBatch + 2, {UrlChanges::Mark::New, "https://e.x/a"});
    changes.back().location = "https://e.x/\"q\"\\\x01";
    const IndexNowSite site{"e.x", "k3y-0123456789", "https://e.x/k3y-0123456789.txt"};
    EXPECT_EQ(IndexNowBody(site, changes, kIndexNowBatch),
              "{\"host\":\"e.x\",\"key\":\"k3y-0123456789\",\"keyLocation\":\"https://e.x/k3y-0123456789.txt\","
              "\"urlList\":[\"https://e.x/a\",\"https://e.x/\\\"q\\\"\\\\\\u0001\"]}");
    const std::string full = IndexNowBody(site, changes, 0);
    EXPECT_EQ(static_cast<std::size_t>(std::count(full.begin(), full.end(), ',')), kIndexNowBatch - 1 + 3);
}

TEST(IndexNowSite, TakesOnlyAKeyFileInFolderThatHoldsTheKey) {
    EXPECT_TRUE(IsIndexNowKey(u"Ab-3456789"));
    EXPECT_FALSE(IsIndexNowKey(u"Ab-45678_"));
    EXPECT_FALSE(IsIndexNowKey(u"1234567"));
    test::TempTree tree;
    tree.File("k3y-0123456789.txt", "\xEF\xBB\xBFk3y-0123456789\r\n");
    tree.File("keys/other.txt", "not the key\n");
    String message;
    const auto site = FindIndexNowSite(tree.Root(), u"https://u@e.x:8080/", u"k3y-0123456789", std::nullopt, message);
    ASSERT_TRUE(site) << message.ToUtf8();
    EXPECT_EQ(site->host, "e.x");
    EXPECT_EQ(site->keyLocation, "https://u@e.x:8080/k3y-0123456789.txt");
    for (const char16_t* location : {u"https://e.x/keys/other.txt", u"https://e.x/keys/../k3y-0123456789.txt",
                                     u"https://f.x/k3y-0123456789.txt", u"https://e.x/keys//other.txt"}) {
        EXPECT_FALSE(FindIndexNowSite(tree.Root(), u"https://e.x/", u"k3y-0123456789", String(location), message))
            << String(location).ToUtf8();
    }
}

}  // namespace
}  // namespace linkloom::cli
