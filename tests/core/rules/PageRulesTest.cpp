#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/rules/ImagesStep.h"
#include "core/rules/RedirectStep.h"
#include "core/rules/RobotsTxt.h"
#include "core/url/UrlReference.h"
#include "support/StringPrinter.h"
#include "support/TreeRun.h"

namespace linkloom {
namespace {

using test::FakeFront;
using test::FrontFor;
using test::TempTree;
using Strings = std::vector<std::string>;

constexpr platform::FileTime kMarch4 = test::kNoonMarch3 + test::kDay;

struct Outcome {
    Strings entries;  // "LOCATION LASTMOD", then " hreflang=HREF" for each alternate
    Strings leftOut;
    Strings ignored;
    Strings warnings;
};

// Every location must be an absolute http(s) URL that its normal form leaves as it is.
void ExpectUri(const std::string& location) {
    UrlParts parts = SplitUrl(String::FromUtf8(location).Text());
    EXPECT_TRUE(parts.scheme == u"https" && parts.hasAuthority && !parts.hasFragment) << location;
    EXPECT_TRUE(NormalizeUrl(parts)) << location;
    EXPECT_EQ(String(parts.Text()).ToUtf8(), location);
}

Outcome RunWith(const TempTree& tree, const PageRules& rules) {
    FakeFront host = FrontFor(tree, u"htm,html,php");
    host.streams = true;
    host.reports = true;
    host.rules = &rules;
    host.Run();
    Outcome run;
    for (const SitemapEntry& entry : host.streamed) {
        std::string line = entry.location.ToUtf8() + " " + entry.lastmod.ToUtf8();
        ExpectUri(entry.location.ToUtf8());
        for (const Alternate& alternate : entry.alternates) {
            line += " " + alternate.language.ToUtf8() + "=" + alternate.location.ToUtf8();
            ExpectUri(alternate.location.ToUtf8());
        }
        run.entries.push_back(line);
    }
    run.leftOut = host.leftOut;
    run.ignored = host.ignored;
    run.warnings = host.CallsStartingWith("notice ");
    return run;
}

void Page(TempTree& tree, const std::string& path, const std::string& content,
          platform::FileTime written = test::kNoonMarch3) {
    tree.File(path, content, written);
}

std::string Head(const std::string& tags) { return "<!DOCTYPE html><html><head>" + tags + "</head><body>x</body>"; }

TEST(FolderUrls, ListIndexPagesInAnyCaseAsTheirFolder) {
    TempTree tree;
    Page(tree, "INDEX.HTML", "top");
    Page(tree, "about/Index.Htm", "about");
    Page(tree, "about/team.htm", "team");
    Page(tree, "docs/index.php", "docs");
    Page(tree, "docs/home.htm", "home");
    PageRules rules;
    rules.folderUrls = true;
    EXPECT_EQ(RunWith(tree, rules).entries,
              (Strings{"https://example.com/about/ 2024-03-03", "https://example.com/about/team.htm 2024-03-03",
                       "https://example.com/docs/home.htm 2024-03-03", "https://example.com/docs/ 2024-03-03",
                       "https://example.com/ 2024-03-03"}));
    rules.indexNames = {u"HOME.htm"};
    EXPECT_EQ(RunWith(tree, rules).entries,
              (Strings{"https://example.com/about/Index.Htm 2024-03-03",
                       "https://example.com/about/team.htm 2024-03-03", "https://example.com/docs/ 2024-03-03",
                       "https://example.com/docs/index.php 2024-03-03", "https://example.com/INDEX.HTML 2024-03-03"}));
}

TEST(TrailingSlash, AddedOrCutForFolderAndCleanUrlsButNotTheRoot) {
    TempTree tree;
    Page(tree, "a.htm", Head("<link rel=canonical href=/zeta>"));
    Page(tree, "docs/intro.htm", "intro");
    Page(tree, "index.htm", "top");
    Page(tree, "zeta/index.htm", "zeta");
    PageRules rules;
    rules.folderUrls = true;
    rules.droppedExtensions = {u"htm"};
    rules.trailingSlash = TrailingSlash::Always;
    const auto locations = [&] {
        Strings found;
        for (const std::string& entry : RunWith(tree, rules).entries) found.push_back(entry.substr(0, entry.find(' ')));
        return found;
    };
    EXPECT_EQ(locations(), (Strings{"https://example.com/a/", "https://example.com/docs/intro/", "https://example.com/",
                                    "https://example.com/zeta/"}));
    // The canonical link waits for the folder URL that a later page gives.
    rules.canonical = true;
    rules.trailingSlash = TrailingSlash::Never;
    EXPECT_EQ(locations(),
              (Strings{"https://example.com/zeta", "https://example.com/docs/intro", "https://example.com/"}));
}

TEST(DroppedExtensions, MergePagesOfOneLocationWhereFirstMetWithTheNewestLastmod) {
    TempTree tree;
    Page(tree, "a.htm", "old");
    Page(tree, "a.html", "new", kMarch4);
    Page(tree, "b.php", "b");
    Page(tree, "docs/index.html", "docs");
    Page(tree, "docs/intro.html", "intro", kMarch4);
    Page(tree, "docs/.html", "all extension");
    PageRules rules;
    rules.droppedExtensions = {u"htm", u"html"};
    rules.folderUrls = true;
    const Outcome run = RunWith(tree, rules);
    EXPECT_EQ(run.entries, (Strings{"https://example.com/a 2024-03-04", "https://example.com/b.php 2024-03-03",
                                    "https://example.com/docs/.html 2024-03-03", "https://example.com/docs/ 2024-03-03",
                                    "https://example.com/docs/intro 2024-03-04"}));
    EXPECT_EQ(run.leftOut, (Strings{"a.html (same URL: a.htm)"}));
}

// Spellings and reference forms are the head scanner's and the URL code's to test; here, what
// the step makes of a link: resolved against the page or its first base, kept, left out or ignored.
TEST(CanonicalLinks, ResolvedAgainstThePageOrItsBase) {
    TempTree tree;
    Page(tree, "s/self.htm", Head("<link rel=\"canonical\" href=\"https://EXAMPLE.com:443/s/self.htm\">"));
    Page(tree, "s/up.htm", Head("<link rel=canonical href=\"../z?a=1&amp;b=2\">"));
    Page(tree, "s/away.htm", Head("<link rel=canonical href=\"https://other.example/s/away.htm\">"));
    Page(tree, "s/above.htm", Head("<link rel=canonical href=\"https://example.com/../../etc\">"));
    Page(tree, "s/based.htm", Head("<base href=\"/b/\"><base href=/no/><link rel=canonical href=based.htm>"));
    PageRules rules;
    rules.canonical = true;
    const Outcome run = RunWith(tree, rules);
    EXPECT_EQ(run.entries,
              (Strings{"https://example.com/s/above.htm 2024-03-03", "https://example.com/b/based.htm 2024-03-03",
                       "https://example.com/s/self.htm 2024-03-03", "https://example.com/z?a=1&b=2 2024-03-03"}));
    EXPECT_EQ(run.leftOut, (Strings{"s/away.htm (canonical elsewhere: https://other.example/s/away.htm)"}));
    EXPECT_EQ(run.ignored, (Strings{"s/above.htm: https://example.com/../../etc"}));
    EXPECT_TRUE(run.warnings.empty());
}

// Pages that name one URL are merged as in the chains below; here, a canonical host that is not the root's.
TEST(CanonicalLinks, AWrongRootIsWarnedOf) {
    PageRules rules;
    rules.canonical = true;
    TempTree moved;
    Page(moved, "a.htm", Head("<link rel=canonical href=https://www.example.com/a.htm>"));
    Page(moved, "b.htm", Head("<link rel=canonical href=https://www.example.com/b.htm>"));
    Page(moved, "c.htm", Head("<link rel=canonical href=c.htm>"));
    const Outcome run = RunWith(moved, rules);
    ASSERT_EQ(run.warnings.size(), 1u);
    EXPECT_NE(run.warnings[0].find("https://example.com/"), std::string::npos);
    EXPECT_NE(run.warnings[0].find("https://www.example.com/a.htm"), std::string::npos);
    Page(moved, "d.htm", Head(""));
    EXPECT_TRUE(RunWith(moved, rules).warnings.empty());
}

TEST(CanonicalLinks, FollowedToTheEndOfTheirChainInEitherWalkOrder) {
    TempTree tree;
    const auto names = [](const std::string& page) { return Head("<link rel=canonical href=" + page + ".htm>"); };
    const std::string noindex = Head("<meta name=robots content=noindex>");
    Page(tree, "a.htm", names("b"));
    Page(tree, "b.htm", noindex);
    Page(tree, "e.htm", names("f"));
    Page(tree, "f.htm", names("g"), kMarch4);
    Page(tree, "g.htm", Head(""));
    // k0 -> k1 -> ... -> k9: nine links from k0, one too many.
    for (int k = 0; k < 9; ++k) Page(tree, "k" + std::to_string(k) + ".htm", names("k" + std::to_string(k + 1)));
    Page(tree, "k9.htm", Head(""));
    Page(tree, "p.htm", names("q"));  // into the cycle q -> r -> q
    Page(tree, "q.htm", names("r"));
    Page(tree, "r.htm", names("q"));
    PageRules rules;
    rules.canonical = true;
    rules.robotsMeta = true;
    const Outcome run = RunWith(tree, rules);
    const auto at = [](const std::string& page, const char* date = "2024-03-03") {
        return "https://example.com/" + page + ".htm " + date;
    };
    EXPECT_EQ(run.entries, (Strings{at("g", "2024-03-04"), at("k0"), at("k9"), at("q"), at("r")}));
    EXPECT_EQ(run.leftOut,
              (Strings{"b.htm (robots meta)", "a.htm (canonical left out: b.htm)", "f.htm (same URL: e.htm)",
                       "g.htm (same URL: e.htm)", "k2.htm (same URL: k1.htm)", "k3.htm (same URL: k1.htm)",
                       "k4.htm (same URL: k1.htm)", "k5.htm (same URL: k1.htm)", "k6.htm (same URL: k1.htm)",
                       "k7.htm (same URL: k1.htm)", "k8.htm (same URL: k1.htm)", "k9.htm (same URL: k1.htm)",
                       "q.htm (same URL: p.htm)"}));
    EXPECT_EQ(run.ignored, (Strings{"k0.htm: https://example.com/k1.htm", "q.htm: https://example.com/r.htm",
                                    "r.htm: https://example.com/q.htm"}));
}

TEST(RobotsMeta, LeavesOutNoindexAndNoneForGeneralCrawlersOnly) {
    TempTree tree;
    Page(tree, "a.htm", Head("<meta name=robots content=\"noindex\">"));
    Page(tree, "b.htm", Head("<META NAME=\"GoogleBot\" CONTENT=\" follow , NONE \">"));
    Page(tree, "c.htm", Head("<meta content='nofollow,noindex' name='bingbot'>"));
    Page(tree, "d.htm", Head("<meta name=otherbot content=noindex><meta name=robots content=\"noindexes, nofollow\">"));
    PageRules rules;
    rules.robotsMeta = true;
    const Outcome run = RunWith(tree, rules);
    EXPECT_EQ(run.entries, (Strings{"https://example.com/d.htm 2024-03-03"}));
    EXPECT_EQ(run.leftOut, (Strings{"a.htm (robots meta)", "b.htm (robots meta)", "c.htm (robots meta)"}));
}

TEST(Redirects, RefreshUrlReadAsBrowsersDo) {
    const auto url = [](std::u16string_view content) { return String(RefreshUrl(content).value_or(u"-")).ToUtf8(); };
    EXPECT_EQ(url(u"0; url=/new/"), "/new/");
    EXPECT_EQ(url(u" 5 ,URL = 'a b' x"), "a b");
    EXPECT_EQ(url(u"0;\"/q\""), "/q");
    EXPECT_EQ(url(u"1.5 urlish"), "urlish");
    for (const char16_t* none : {u"0", u"10; ", u"url=/x", u"0x; url=/x", u"0; url=''"}) {
        EXPECT_EQ(url(none), "-") << String(none).ToUtf8();
    }
}

TEST(Redirects, StubsLeftOutAndFollowedByCanonicalLinks) {
    TempTree tree;
    const auto refresh = [](const std::string& to) {
        return Head("<meta http-equiv=\"Refresh\" content=\"0; url=" + to + "\">");
    };
    Page(tree, "a.htm", Head("<link rel=canonical href=old.htm>"));
    Page(tree, "away.htm", refresh("https://other.example/x"));
    Page(tree, "b.htm", Head("<link rel=canonical href=away.htm>"));
    Page(tree, "new.htm", Head(""));
    Page(tree, "old.htm", refresh("new.htm#top"));
    Page(tree, "self.htm", refresh("self.htm") + "<meta http-equiv=refresh content=30>");
    PageRules rules;
    rules.skipRedirects = true;
    rules.canonical = true;
    const Outcome run = RunWith(tree, rules);
    EXPECT_EQ(run.entries,
              (Strings{"https://example.com/new.htm 2024-03-03", "https://example.com/self.htm 2024-03-03"}));
    EXPECT_EQ(run.leftOut,
              (Strings{"away.htm (redirects: https://other.example/x)", "b.htm (canonical left out: away.htm)",
                       "old.htm (redirects: https://example.com/new.htm)", "a.htm (same URL: new.htm)"}));
}

TEST(Alternates, CopiedInOrderWithInvalidOnesDropped) {
    TempTree tree;
    Page(tree, "en/page.htm",
         Head("<link rel=alternate hreflang=de href=/de/page.htm>"
              "<link rel=\"alternate\" hreflang=\"x-default\" href=\"page.htm\">"
              "<link rel=alternate hreflang=en_US href=/us>"
              "<link rel=alternate hreflang=DE href=/de/other.htm>"
              "<link rel=alternate hreflang=fr href=\"/fr/a b\">"
              "<link rel=alternate type=application/rss+xml href=/feed>"
              "<link rel=alternate hreflang=zh-Hant-TW href=\"https://cdn.example/zh?x=<1>\">"));
    PageRules rules;
    rules.alternates = true;
    const Outcome run = RunWith(tree, rules);
    EXPECT_EQ(run.entries, (Strings{"https://example.com/en/page.htm 2024-03-03 de=https://example.com/de/page.htm "
                                    "x-default=https://example.com/en/page.htm "
                                    "zh-Hant-TW=https://cdn.example/zh?x=%3C1%3E"}));
    EXPECT_EQ(run.ignored, (Strings{"en/page.htm: /us", "en/page.htm: /de/other.htm", "en/page.htm: /fr/a b"}));
}

TEST(Images, ResolvedDeduplicatedAndBoundedBesideTheAlternates) {
    TempTree tree;
    std::string body =
        "<img src=a.png><img src=//cdn.example/b.png srcset='/c.png 2x'><img src='data:image/png,x'>"
        "<img src=a.png#top><img src=ftp://x/y.png>";
    for (int i = 0; i < 1100; ++i) body += "<img src=/n" + std::to_string(i) + ".png>";
    Page(tree, "docs/p.htm",
         Head("<meta property=og:image content=https://example.com/og.png><link rel=alternate hreflang=de href=/de/>") +
             body);
    PageRules rules;
    rules.images = true;
    rules.alternates = true;
    FakeFront host = FrontFor(tree, u"htm");
    host.streams = true;
    host.rules = &rules;
    host.Run();
    ASSERT_EQ(host.streamed.size(), 1u);
    const SitemapEntry& entry = host.streamed[0];
    ASSERT_EQ(entry.images.size(), ImagesStep::kMostImages);
    EXPECT_EQ((Strings{entry.images[0].ToUtf8(), entry.images[1].ToUtf8(), entry.images[2].ToUtf8(),
                       entry.images[3].ToUtf8(), entry.images[4].ToUtf8(), entry.images.back().ToUtf8()}),
              (Strings{"https://example.com/og.png", "https://example.com/docs/a.png", "https://cdn.example/b.png",
                       "https://example.com/c.png", "https://example.com/n0.png", "https://example.com/n995.png"}));
    EXPECT_EQ(entry.alternates.size(), 1u);
}

// The same sources on pages of one folder, of another, and under a base of their own.
TEST(Images, EachPageResolvesAgainstItsOwnBase) {
    TempTree tree;
    const std::string body = "<img src=i.png><img src=?v=1><img src=../up.png>";
    Page(tree, "a/p.htm", Head("") + body);
    Page(tree, "a/q.htm", Head("") + body);
    Page(tree, "b/p.htm", Head("") + body);
    Page(tree, "b/r.htm", Head("<base href=/c/d/>") + body);
    PageRules rules;
    rules.images = true;
    FakeFront host = FrontFor(tree, u"htm");
    host.streams = true;
    host.rules = &rules;
    host.Run();
    Strings images;
    for (const SitemapEntry& entry : host.streamed) {
        for (const String& image : entry.images) images.push_back(image.ToUtf8());
    }
    EXPECT_EQ(
        images,
        (Strings{"https://example.com/a/i.png", "https://example.com/a/p.htm?v=1", "https://example.com/up.png",
                 "https://example.com/a/i.png", "https://example.com/a/q.htm?v=1", "https://example.com/up.png",
                 "https://example.com/b/i.png", "https://example.com/b/p.htm?v=1", "https://example.com/up.png",
                 "https://example.com/c/d/i.png", "https://example.com/c/d/?v=1", "https://example.com/c/up.png"}));
}

TEST(RobotsTxtRules, LeaveOutTheLocationsListedAfterTheOtherSteps) {
    TempTree tree;
    Page(tree, "private/a.htm", Head(""));
    Page(tree, "private/open.htm", Head(""));
    Page(tree, "public/b.htm", Head("<link rel=canonical href=/private/b.htm>"));
    Page(tree, "public/c.htm", Head(""));
    RobotsTxt robots;
    robots.Parse("User-agent: *\nDisallow: /private/\nAllow: /private/open\n");
    PageRules rules;
    rules.canonical = true;
    rules.robots = &robots;
    const Outcome run = RunWith(tree, rules);
    EXPECT_EQ(run.entries, (Strings{"https://example.com/private/open.htm 2024-03-03",
                                    "https://example.com/public/c.htm 2024-03-03"}));
    EXPECT_EQ(run.leftOut, (Strings{"private/a.htm (robots.txt: Disallow: /private/)",
                                    "public/b.htm (robots.txt: Disallow: /private/)"}));
}

}  // namespace
}  // namespace linkloom
