#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "cli/check/SiteListing.h"
#include "cli/check/SitemapBytes.h"
#include "support/TempTree.h"

namespace linkloom::cli {
namespace {

std::string ReadAll(SitemapBytes& bytes) {
    std::string text;
    char buffer[1000];
    for (std::size_t got; bytes.Read(buffer, sizeof buffer, got) && got > 0;) text.append(buffer, got);
    return text;
}

TEST(SitemapBytes, UnpacksGzipAndStopsPastTheLimit) {
    test::TempTree tree;
    // "hello" packed by gzip.
    const std::string packed(
        "\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03\xcb\x48\xcd\xc9\xc9\x07\x00\x86\xa6\x10\x36\x05\x00\x00\x00", 25);
    tree.File("a.xml.gz", packed);
    tree.File("cut.xml.gz", packed.substr(0, 14));
    tree.File("big.xml", std::string(5000, 'x'));
    SitemapBytes gzip(100);
    ASSERT_FALSE(gzip.Open(tree.Root() + u"a.xml.gz"));
    EXPECT_EQ(ReadAll(gzip), "hello");
    EXPECT_EQ(gzip.Outcome(), SitemapBytes::State::Reading);
    SitemapBytes cut(100);
    ASSERT_FALSE(cut.Open(tree.Root() + u"cut.xml.gz"));
    ReadAll(cut);
    EXPECT_EQ(cut.Outcome(), SitemapBytes::State::BadGzip);
    SitemapBytes big(4096);
    ASSERT_FALSE(big.Open(tree.Root() + u"big.xml"));
    EXPECT_LE(ReadAll(big).size(), 4097u);
    EXPECT_EQ(big.Outcome(), SitemapBytes::State::TooLarge);
    SitemapBytes missing(100);
    const auto failure = missing.Open(tree.Root() + u"none.xml");
    ASSERT_TRUE(failure);
    EXPECT_FALSE(platform::Describe(*failure).IsEmpty());
}

TEST(SiteListing, FindsPagesInOrderAndOutOfIt) {
    SiteListing site;
    for (const char16_t* location : {u"https://e.x/a", u"https://e.x/b", u"https://e.x/c"})
        site.Add({location, u"2024"});
    EXPECT_EQ(site.Find("https://e.x/a"), &site.Pages()[0]);
    EXPECT_EQ(site.Find("https://e.x/c"), &site.Pages()[2]);
    EXPECT_EQ(site.Find("https://e.x/b"), &site.Pages()[1]);
    EXPECT_EQ(site.Find("https://e.x/d"), nullptr);
}

}  // namespace
}  // namespace linkloom::cli
