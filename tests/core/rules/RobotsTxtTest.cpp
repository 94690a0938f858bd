#include <gtest/gtest.h>

#include <string>

#include "core/rules/RobotsTxt.h"
#include "support/StringPrinter.h"

namespace linkloom {
namespace {

RobotsTxt Read(const std::string& text) {
    RobotsTxt robots;
    robots.Parse(text);
    return robots;
}

TEST(RobotsTxtGroups, OnlyTheGroupsForEveryCrawlerCount) {
    const RobotsTxt robots = Read(
        "\xEF\xBB\xBFUser-agent: otherbot\nDisallow: /other\n\n"
        "USER-AGENT: onebot\nuser-agent: *\ndisallow: /shared # a comment\n"
        "Allow: /x\nuser-agent: later\nDisallow: /later\n"
        "User-agent: *\r\nDISALLOW: /second\r\n"
        "Sitemap: https://example.com/a.xml\n");
    EXPECT_TRUE(robots.Allows(u"/other"));
    EXPECT_TRUE(robots.Allows(u"/later"));
    EXPECT_FALSE(robots.Allows(u"/shared/page"));
    EXPECT_FALSE(robots.Allows(u"/second"));
    EXPECT_TRUE(robots.Allows(u"/robots.txt"));
    EXPECT_TRUE(Read("Disallow: /\nUser-agent: *\n").Allows(u"/a"));
    EXPECT_TRUE(Read("User-agent: *\nDisallow:\n").Allows(u"/a"));
}

TEST(RobotsTxtMatching, WildcardsEndsAndTheLongestRule) {
    const RobotsTxt robots = Read(
        "User-agent: *\nDisallow: /*.php$\nDisallow: /private\nAllow: /private/open\n"
        "Disallow: /a*b*c\nAllow: /same\nDisallow: /same\nDisallow: /q?x=\n");
    EXPECT_FALSE(robots.Allows(u"/dir/page.php"));
    EXPECT_TRUE(robots.Allows(u"/dir/page.php?x=1"));
    EXPECT_FALSE(robots.Allows(u"/private/a"));
    EXPECT_TRUE(robots.Allows(u"/private/open/a"));
    EXPECT_FALSE(robots.Allows(u"/a-x-b-y-c-z"));
    EXPECT_TRUE(robots.Allows(u"/a-x-c-b"));
    EXPECT_TRUE(robots.Allows(u"/same"));
    EXPECT_FALSE(robots.Allows(u"/q?x=1"));
    EXPECT_TRUE(robots.Allows(u"/q"));
    // A '$' that does not end the rule stands for itself.
    const RobotsTxt middle = Read("User-agent: *\nDisallow: /a$b\n");
    EXPECT_FALSE(middle.Allows(u"/a$bc"));
    EXPECT_TRUE(middle.Allows(u"/a"));
    // A longer Disallow outranks a shorter Allow whatever the order.
    EXPECT_FALSE(Read("User-agent: *\nAllow: /p\nDisallow: /p/q\n").Allows(u"/p/q/r"));
}

TEST(RobotsTxtMatching, PercentEncodingIsComparedInNormalForm) {
    const RobotsTxt robots = Read("User-agent: *\nDisallow: /caf\xC3\xA9\nDisallow: /%7euser\nDisallow: /bad%zz\n");
    EXPECT_FALSE(robots.Allows(u"/caf%C3%A9/menu"));
    EXPECT_FALSE(robots.Allows(u"/caf%c3%a9"));
    EXPECT_FALSE(robots.Allows(u"/~user"));
    EXPECT_FALSE(robots.Allows(u"/bad%25zz"));
    EXPECT_TRUE(robots.Allows(u"/cafe"));
}

TEST(RobotsTxtInput, AnyBytesAreReadWithoutHarm) {
    std::string noise;
    for (unsigned i = 0; i < 300000; ++i) noise += static_cast<char>((i * 7919) % 256);
    const RobotsTxt robots = Read(noise + "\nUser-agent: *\nDisallow: /" + std::string(100000, '*') + "x$\n");
    EXPECT_TRUE(robots.Allows(u"/" + std::u16string(2000, u'y')));
    EXPECT_FALSE(robots.Allows(u"/yx"));
}

TEST(RobotsTxtSitemaps, NamedInNormalForm) {
    const RobotsTxt robots = Read("Sitemap: HTTPS://Example.com:443/sitemap.xml\n");
    EXPECT_TRUE(robots.NamesSitemap(u"https://example.com/sitemap.xml"));
    EXPECT_FALSE(robots.NamesSitemap(u"https://example.com/other.xml"));
}

}  // namespace
}  // namespace linkloom
