#include <gtest/gtest.h>

#include <string>

#include "core/url/PageLink.h"
#include "core/url/UrlReference.h"
#include "support/StringPrinter.h"

namespace linkloom {
namespace {

std::string Resolve(const std::u16string& base, const std::u16string& reference) {
    bool climbed = false;
    return String(ResolveUrl(SplitUrl(base), SplitUrl(reference), climbed).Text()).ToUtf8();
}

TEST(UrlReference, ResolvesTheExamplesOfTheStandard) {
    const std::u16string base = u"http://a/b/c/d;p?q";
    // clang-format off
    const std::pair<std::u16string, std::string> examples[] = {
        {u"g:h", "g:h"}, {u"g", "http://a/b/c/g"}, {u"./g", "http://a/b/c/g"}, {u"g/", "http://a/b/c/g/"},
        {u"/g", "http://a/g"}, {u"//g", "http://g"}, {u"?y", "http://a/b/c/d;p?y"}, {u"g?y", "http://a/b/c/g?y"},
        {u"#s", "http://a/b/c/d;p?q#s"}, {u";x", "http://a/b/c/;x"}, {u"", "http://a/b/c/d;p?q"},
        {u".", "http://a/b/c/"}, {u"..", "http://a/b/"}, {u"../g", "http://a/b/g"}, {u"../..", "http://a/"},
        {u"../../g", "http://a/g"}, {u"../../../g", "http://a/g"}, {u"/./g", "http://a/g"}, {u"/../g", "http://a/g"},
        {u"g.", "http://a/b/c/g."}, {u"..g", "http://a/b/c/..g"}, {u"./../g", "http://a/b/g"},
        {u"g/./h", "http://a/b/c/g/h"}, {u"g/../h", "http://a/b/c/h"}, {u"g;x=1/../y", "http://a/b/c/y"},
        {u"g?y/./x", "http://a/b/c/g?y/./x"}, {u"http:g", "http:g"}};
    // clang-format on
    for (const auto& [reference, target] : examples)
        EXPECT_EQ(Resolve(base, reference), target) << String(reference).ToUtf8();
}

TEST(UrlReference, NormalFormLowersSchemeAndHostAndEncodesWhatNoUrlHolds) {
    UrlParts url = SplitUrl(u"HTTPS://WWW.Example.COM:443/%7euser/caf\u00E9%2f%zz?q=<a b>");
    ASSERT_TRUE(NormalizeUrl(url));
    EXPECT_EQ(String(url.Text()).ToUtf8(), "https://www.example.com/~user/caf%C3%A9%2F%25zz?q=%3Ca%20b%3E");
    for (const std::u16string bad : {u"1http://a/", u"http://a:8x/", u"http://[::1/"}) {
        UrlParts parts = SplitUrl(bad);
        EXPECT_FALSE(NormalizeUrl(parts)) << String(bad).ToUtf8();
    }
}

TEST(UrlReference, ResolvesAReferenceInNormalFormAsItsNormalFormWouldBe) {
    UrlParts base = SplitUrl(u"https://example.com/docs/page.htm?q");
    NormalizeUrl(base);
    UrlParts fast = SplitUrl(u"x://stale@host:1/p?q#f");  // reused: every part must be written over
    for (const std::u16string reference : {u"g", u"/a/./b/../c", u"?y", u"", u"../../../x", u"https://a.example",
                                           u"http:g", u"g:h", u"/.htaccess", u"a?b/./c", u"g/"}) {
        bool fastClimbed = false, climbed = false;
        ASSERT_TRUE(ResolveNormalUrl(base, SplitUrlViews(reference), fast, fastClimbed)) << String(reference).ToUtf8();
        UrlParts normal = SplitUrl(reference);
        ASSERT_TRUE(NormalizeUrl(normal));
        EXPECT_EQ(fast.Text(), ResolveUrl(base, normal, climbed).Text()) << String(reference).ToUtf8();
        EXPECT_EQ(fastClimbed, climbed) << String(reference).ToUtf8();
    }
    for (const std::u16string reference :
         {u"%41", u"HTTP://a/", u"//a.example/x", u"https://A.example/", u"https://a:80/"}) {
        bool climbed = false;
        EXPECT_FALSE(ResolveNormalUrl(base, SplitUrlViews(reference), fast, climbed)) << String(reference).ToUtf8();
    }
}

TEST(UrlReference, TellsAUrlInNormalFormTheQuickWay) {
    for (const std::u16string url : {u"https://a.example/x?y#z", u"g", u"mailto:a@b.example"}) {
        EXPECT_TRUE(IsNormalUrl(SplitUrlViews(url))) << String(url).ToUtf8();
    }
    for (const std::u16string url :
         {u"https://a.example", u"HTTPS://a/", u"https://A/", u"https://a:443/", u"/%41", u"/caf\u00e9"}) {
        EXPECT_FALSE(IsNormalUrl(SplitUrlViews(url))) << String(url).ToUtf8();
    }
}

std::string Link(const std::u16string& href) {
    UrlParts base = SplitUrl(u"https://example.com/docs/page.htm");
    NormalizeUrl(base);
    UrlParts target;
    const LinkProblem problem = ResolveLink(href, base, target);
    return problem == LinkProblem::None ? String(target.Text()).ToUtf8() : "problem " + std::to_string(int(problem));
}

TEST(PageLinks, LeadOnlyToHttpUrlsWithoutFragmentsBlanksOrClimbs) {
    EXPECT_EQ(Link(u" \t/x\n"), "https://example.com/x");
    EXPECT_EQ(Link(u"%2E%2E/up"), "https://example.com/up");
    EXPECT_EQ(Link(u"//Other.Example"), "https://other.example/");
    EXPECT_EQ(Link(u""), "problem " + std::to_string(int(LinkProblem::Empty)));
    EXPECT_EQ(Link(u"  "), "problem " + std::to_string(int(LinkProblem::Empty)));
    EXPECT_EQ(Link(u"/a b"), "problem " + std::to_string(int(LinkProblem::Blank)));
    EXPECT_EQ(Link(u"/a#b"), "problem " + std::to_string(int(LinkProblem::Fragment)));
    EXPECT_EQ(Link(u"../../x"), "problem " + std::to_string(int(LinkProblem::ClimbsAboveTop)));
    EXPECT_EQ(Link(u"mailto:a@b"), "problem " + std::to_string(int(LinkProblem::NotHttp)));
    EXPECT_EQ(Link(u"https:///x"), "problem " + std::to_string(int(LinkProblem::NotHttp)));
    EXPECT_EQ(Link(u"https://a:port/"), "problem " + std::to_string(int(LinkProblem::Malformed)));
}

TEST(SiteRoots, LocateOnlyUrlsUnderTheRootsPath) {
    const SiteRoot root(u"https://example.com/site/");
    const auto locate = [&](const std::u16string& url) {
        UrlParts parts = SplitUrl(url);
        NormalizeUrl(parts);
        const auto location = root.Locate(parts);
        return location ? location->ToUtf8() : std::string("elsewhere");
    };
    EXPECT_EQ(locate(u"https://EXAMPLE.com:443/site/a?b"), "https://example.com/site/a?b");
    EXPECT_EQ(locate(u"https://example.com/site/"), "https://example.com/site/");
    EXPECT_EQ(locate(u"https://example.com/site"), "elsewhere");
    EXPECT_EQ(locate(u"https://example.com/sitemap"), "elsewhere");
    EXPECT_EQ(locate(u"http://example.com/site/a"), "elsewhere");
    EXPECT_EQ(locate(u"https://example.com:8443/site/a"), "elsewhere");
    EXPECT_EQ(locate(u"https://www.example.com/site/a"), "elsewhere");
}

}  // namespace
}  // namespace linkloom
