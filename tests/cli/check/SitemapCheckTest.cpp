#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/check/SitemapCheck.h"
#include "support/TempTree.h"

namespace linkloom::cli {
namespace {

using Lines = std::vector<std::string>;

constexpr std::int64_t kMarch10 = 1710072000;  // 2024-03-10 12:00 UTC
const std::string kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";

std::string Url(const std::string& inside) { return "<url>" + inside + "</url>\n"; }
std::string Loc(const std::string& location) { return Url("<loc>" + location + "</loc>"); }

// The findings of checking `name` against a site of a.htm, b.htm and sub/c.htm, each as
// "line sentence" with the sentence cut before the text it quotes.
Lines Check(test::TempTree& tree, const std::string& name) {
    SiteListing site;
    for (const char16_t* location : {u"https://e.x/a.htm", u"https://e.x/b.htm", u"https://e.x/sub/c.htm"})
        site.Add({location, u"2024-03-03"});
    SitemapCheck check(u"https://e.x/", kMarch10, 0);
    check.Check(tree.Root() + String::FromUtf8(name), site);
    Lines found;
    for (const CheckFinding& finding : check.Findings())
        found.push_back(std::to_string(finding.line) + " " + finding.message.substr(0, finding.message.find(':')));
    return found;
}

Lines CheckText(const std::string& text) {
    test::TempTree tree;
    tree.File("s.xml", text);
    return Check(tree, "s.xml");
}

TEST(SitemapCheck, TellsEachBrokenRuleOnceAtItsLineAndABrokenLocationNotAlsoAsExtra) {
    EXPECT_EQ(CheckText(kHead + Url("<lastmod>2024-03-03</lastmod>") + Loc("e.x/a.htm") + Loc("https://other.x/a.htm") +
                        Loc("https://e.x/" + std::string(2100, 'x')) + Loc("https://e.x/a b.htm") +
                        Url("<loc>https://e.x/a.htm</loc><lastmod>2024-3-3</lastmod>") +
                        Url("<loc>https://e.x/b.htm</loc><lastmod>2024-03-11</lastmod>") +
                        Loc("https://e.x/sub/c.htm") + "</urlset>\n"),
              (Lines{"3 <url> without <loc>", "4 location is not an absolute URL", "5 location is not under https",
                     "6 location longer than 2,048 characters", "7 location is not a valid URI",
                     "8 lastmod is not a W3C Datetime", "9 lastmod is in the future"}));
}

TEST(SitemapCheck, ComparesLocationsInNormalFormAndTellsRepeats) {
    EXPECT_EQ(
        CheckText(kHead + Loc("HTTPS://E.x:443/%61.htm") + Loc("https://e.x/b.htm") + Loc("https://e.x/sub/c.htm") +
                  Loc("https://e.x/%7e.htm") + Loc("https://e.x/%7E.htm") + Loc("https://e.x/b.htm") + "</urlset>\n"),
        (Lines{"7 location listed twice", "8 location listed twice", "6 extra"}));
}

TEST(SitemapCheck, ADocumentThatCannotBeReadWholeIsOneFinding) {
    const std::string listing = Loc("https://e.x/a.htm") + Loc("https://e.x/b.htm") + "</urlset>";
    std::string many = kHead, deep = kHead + "<url>";
    for (int n = 0; n <= 50000; ++n) many += Loc("https://e.x/" + std::to_string(n) + ".htm");
    for (int n = 0; n < 1000; ++n) deep += "<x>";
    for (const auto& [text, finding] : std::vector<std::pair<std::string, std::string>>{
             {"<?xml version=\"1.0\"?><urlset xmlns=\"http://example.com/\"></urlset>",
              "0 the root element is not <urlset> or <sitemapindex> in the namespace http"},
             {kHead + "<url><loc>https://e.x/a.htm</loc>\n</urlset>", "4 not well-formed"},
             {many + "</urlset>", "0 more than 50000 URLs, which one file may hold at most; not read further"},
             {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + kHead.substr(kHead.find('\n')) + listing,
              "0 declares the encoding ISO-8859-1; a sitemap must be UTF-8"},
             {std::string("\xFF\xFE<\0u\0/\0>\0", 8), "0 encoded in UTF-16; a sitemap must be UTF-8"},
             {deep, "3 elements nested deeper than 16 levels, which no sitemap needs; not read further"}}) {
        EXPECT_EQ(CheckText(text), Lines{finding}) << text.substr(0, 120);
    }
}

TEST(SitemapCheck, ReadsEachPartAnIndexNamesOnceAndOnlyBesideIt) {
    test::TempTree tree;
    const std::string index =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<sitemapindex xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";
    const auto part = [](const std::string& location) { return "<sitemap><loc>" + location + "</loc></sitemap>\n"; };
    tree.File("s-1.xml", kHead + Loc("https://e.x/a.htm") + Loc("https://e.x/b.htm") + "</urlset>");
    tree.File("s-2.xml", kHead + Loc("https://e.x/sub/c.htm") + "</urlset>");
    tree.File("s.xml", index + part("https://e.x/s-1.xml") + part("https://e.x/s-2.xml") + "</sitemapindex>");
    EXPECT_EQ(Check(tree, "s.xml"), Lines{});
    tree.File("s.xml", index + part("https://e.x/s-1.xml") + part("https://E.X/s-1.xml") + part("https://e.x/s-2.xml") +
                           "</sitemapindex>");
    EXPECT_EQ(Check(tree, "s.xml"), Lines{"4 the index names a part twice"});
    // A name Windows would open as another file is no part on any system.
    for (const char* name : {"s-1.xml.", "s-1.xml%20", "..%2Fs-1.xml", "%2E%2E"}) {
        tree.File("s.xml",
                  index + part(std::string("https://e.x/") + name) + part("https://e.x/s-2.xml") + "</sitemapindex>");
        EXPECT_EQ(Check(tree, "s.xml"), Lines{"3 a part's location names no file"}) << name;
    }
    tree.File("s.xml", index + part("https://e.x/s-1.xml") + part("https://e.x/s-3.xml") + "</sitemapindex>");
    EXPECT_EQ(Check(tree, "s.xml"), Lines{"0 the part named by the index cannot be read"});
}

}  // namespace
}  // namespace linkloom::cli
