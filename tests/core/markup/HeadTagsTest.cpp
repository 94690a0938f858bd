#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/markup/HeadTags.h"
#include "core/markup/ImageTags.h"
#include "core/page/PageReader.h"
#include "support/StringPrinter.h"
#include "support/TempTree.h"
#include "support/TreeRun.h"

namespace linkloom {
namespace {

using Strings = std::vector<std::string>;

std::string Utf8(std::u16string_view text) { return String(text).ToUtf8(); }

// Each tag as "name attr=value attr=value", and a script's text after a '|'.
Strings Scan(const std::u16string& head) {
    Strings found;
    for (const HeadTag& tag : ScanHeadTags(head)) {
        std::string line = Utf8(tag.name);
        for (const HeadAttribute& attribute : tag.attributes)
            line += " " + Utf8(attribute.name) + "=" + Utf8(attribute.value);
        if (tag.name == u"script") line += "|" + Utf8(tag.text);
        found.push_back(line);
    }
    return found;
}

TEST(HeadTags, ReadsAttributesInEveryCaseAndQuoting) {
    EXPECT_EQ(Scan(u"<HTML><HEAD><LINK REL=\"Canonical\" HREF='/a?x=1&amp;y=2'>"
                   u"<meta\tname=robots content=NOINDEX,follow /><Meta Property = \"og:x\" Content = 'v' >"),
              (Strings{"link rel=Canonical href=/a?x=1&y=2", "meta name=robots content=NOINDEX,follow",
                       "meta property=og:x content=v"}));
    // Values keep what lies between their quotes; references of every kind are decoded.
    EXPECT_EQ(Scan(u"<link href=\"a b#c\" title='it&#39;s &#x263A; &lt;&gt; &nbsp;&bogus; &amp'>"),
              (Strings{"link href=a b#c title=it's \u263A <> \u00A0&bogus; &amp"}));
    EXPECT_EQ(Scan(u"<link hidden rel=alternate>"), (Strings{"link hidden= rel=alternate"}));
    // As a browser reads it, a '/' right after an unquoted value belongs to the value.
    EXPECT_EQ(Scan(u"<meta name=a content=b/>"), (Strings{"meta name=a content=b/"}));
}

TEST(HeadTags, StopsAtTheEndOfTheHeadAndPassesOverWhatIsNotMarkup) {
    EXPECT_EQ(Scan(u"<meta name=a></HEAD><meta name=b>"), (Strings{"meta name=a"}));
    EXPECT_EQ(Scan(u"<meta name=a><BODY><meta name=b>"), (Strings{"meta name=a"}));
    EXPECT_EQ(Scan(u"<!-- <meta name=hidden> --><!DOCTYPE html><?xml x?>a < b<meta name=c>"), (Strings{"meta name=c"}));
    EXPECT_EQ(Scan(u"<title>a <meta name=no></title><style>p{} <link rel=no></style><meta name=yes>"),
              (Strings{"meta name=yes"}));
    EXPECT_EQ(Scan(u"<script type=\"application/ld+json\">{\"a\": \"<meta>\"}</SCRIPT><meta name=after>"),
              (Strings{"script type=application/ld+json|{\"a\": \"<meta>\"}", "meta name=after"}));
}

TEST(HeadTags, CutAndHostileHeadsEndTheScanWithoutHarm) {
    EXPECT_EQ(Scan(u"<meta name=a><link href=\"never closed><meta name=b>"), (Strings{"meta name=a"}));
    EXPECT_EQ(Scan(u"<meta name=a><link href="), (Strings{"meta name=a"}));
    EXPECT_EQ(Scan(u"<meta name=a><link"), (Strings{"meta name=a"}));
    EXPECT_EQ(Scan(u"<meta name=a><!-- never closed <meta name=b>"), (Strings{"meta name=a"}));
    EXPECT_EQ(Scan(u"<script>never closed <meta name=b>"), (Strings{"script|never closed <meta name=b>"}));
    EXPECT_EQ(Scan(u"<<<<a<b<c =\"x\">"), (Strings{}));
    std::u16string many;
    for (int i = 0; i < 10000; ++i) many += u"<link rel=alternate hreflang=x href=/p>";
    EXPECT_EQ(ScanHeadTags(many).size(), 10000u);
}

TEST(HeadTags, TokensAreBlankSeparatedAndFoundInAnyCase) {
    const auto tags = ScanHeadTags(u"<link rel=\" Alternate  stylesheet\">");
    ASSERT_EQ(tags.size(), 1u);
    EXPECT_TRUE(tags[0].HasToken(u"rel", u"alternate"));
    EXPECT_TRUE(tags[0].HasToken(u"rel", u"stylesheet"));
    EXPECT_FALSE(tags[0].HasToken(u"rel", u"canonical"));
    EXPECT_FALSE(tags[0].HasToken(u"href", u"x"));
}

// The head tags of a page, read as a walk reads them.
Strings Read(test::TempTree& tree, const std::string& bytes, bool noindex, PageVerdict* verdict = nullptr) {
    tree.File("page.htm", bytes);
    const auto folder = *platform::FolderHandle::Open(tree.Root());
    platform::DirectoryEntry entry;
    entry.name = u"page.htm";
    const PageFacts facts = PageReader(test::ContentTests(noindex, false), PageNeeds{true}).Read(*folder, entry);
    if (verdict) *verdict = facts.verdict;
    Strings found;
    for (const HeadTag& tag : facts.headTags)
        found.push_back(Utf8(tag.name) + " " + Utf8(tag.attributes.begin()->value));
    return found;
}

TEST(HeadReading, ReadsTheHeadAsFarAsItGoesAndTestsTheFirstCharacters) {
    test::TempTree tree;
    // A head far past the first block, in UTF-16, then a body that is never read.
    std::string wide = "\xFF\xFE";
    std::u16string text = u"<head>" + std::u16string(30000, u' ') + u"<meta name=late></head><meta name=body>";
    for (const char16_t unit : text) wide += std::string{static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    EXPECT_EQ(Read(tree, wide, false), (Strings{"meta late"}));

    // The content test still looks at the first 4096 characters, even past a short head.
    PageVerdict verdict;
    EXPECT_EQ(Read(tree, "<head><meta name=a></head>" + std::string(3000, ' ') + "noindex", true, &verdict), Strings{});
    EXPECT_EQ(verdict, PageVerdict::Noindex);
    EXPECT_EQ(Read(tree, "<head><meta name=a></head>", true, &verdict), (Strings{"meta a"}));
    EXPECT_EQ(verdict, PageVerdict::Keep);

    // A head that never ends is read up to its limit and no further.
    const std::string endless = "<head><meta name=first>" + std::string(kMostHeadText, 'x') + "<meta name=past>";
    EXPECT_EQ(Read(tree, endless, false), (Strings{"meta first"}));
    // A page with no text is listed without tags when no content test asks for text.
    EXPECT_EQ(Read(tree, std::string("\x01\x02zz", 4), false, &verdict), Strings{});
    EXPECT_EQ(verdict, PageVerdict::Keep);
}

TEST(ImageSources, SrcAndFirstSrcsetCandidateOfEachImgOutsideCommentsAndScripts) {
    const auto sources = [](std::u16string_view text) {
        Strings found;
        for (const String& source : ScanImageSources(text)) found.push_back(source.ToUtf8());
        return found;
    };
    EXPECT_EQ(sources(u"<p><IMG alt='x>y' SRC=\" a.png \" srcset=\"b.png 2x, c.png 3x\"><img/src=d&amp;e.png>"
                      u"<img srcset='f.png, g.png' src=''><imgx src=no.png><img src=h.png src=no.png>"),
              (Strings{"a.png", "b.png", "d&e.png", "f.png", "h.png"}));
    EXPECT_EQ(sources(u"<!-- <img src=a.png> --><script>x='<img src=b.png>'</script><style>/*<img src=c>*/</STYLE>"
                      u"<img src=d.png><img src=\"cut"),
              (Strings{"d.png"}));
}

}  // namespace
}  // namespace linkloom
