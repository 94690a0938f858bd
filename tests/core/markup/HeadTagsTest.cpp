#include <gtest/gtest.h>

#include <iterator>
#include <random>
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
Strings Lines(const HeadTags& tags) {
    Strings found;
    for (const HeadTag& tag : tags) {
        std::string line = Utf8(tag.name);
        for (const HeadAttribute& attribute : tag.attributes)
            line += " " + Utf8(attribute.name) + "=" + Utf8(attribute.value);
        if (tag.name == u"script") line += "|" + Utf8(tag.text);
        found.push_back(line);
    }
    return found;
}

Strings Scan(const std::u16string& head) { return Lines(ScanHeadTags(head)); }

TEST(HeadTags, ReadsAttributesInEveryCaseAndQuoting) {
    EXPECT_EQ(Scan(u"<HTML><HEAD><LINK REL=\"Canonical\" HREF='/a?x=1&amp;y=2'>"
                   u"<meta\tname=robots content=NOINDEX,follow /><Meta Property = \"og:x\" Content = 'v' >"),
              (Strings{"link rel=Canonical href=/a?x=1&y=2", "meta name=robots content=NOINDEX,follow",
                       "meta property=og:x content=v"}));
    // Values keep what lies between their quotes; references of every kind are decoded.
    EXPECT_EQ(Scan(u"<link href=\"a b#c\" title='it&#39;s &#x263A; &lt;&gt; &nbsp;&bogus; &amp'>"),
              (Strings{"link href=a b#c title=it's \u263A <> \u00A0&bogus; &amp"}));
    EXPECT_EQ(Scan(u"<link hidden rel=alternate>"), (Strings{"link hidden= rel=alternate"}));
    // An '=' where a name starts begins that name.
    EXPECT_EQ(Scan(u"<meta =name=robots = content=x>"), (Strings{"meta =name=robots == content=x"}));
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
    const auto tags = ScanHeadTags(u"<link rel=\" Alternate  stylesheet\"><link REL='x\tCANONICAL' rel=alternate>");
    ASSERT_EQ(tags.size(), 2u);
    EXPECT_TRUE(tags[0].HasToken(u"rel", u"alternate"));
    EXPECT_TRUE(tags[0].HasToken(u"rel", u"stylesheet"));
    EXPECT_FALSE(tags[0].HasToken(u"rel", u"canonical"));
    EXPECT_FALSE(tags[0].HasToken(u"href", u"x"));
    // The types the rules act on come from the first rel attribute alone.
    EXPECT_EQ(tags[0].rels, kRelAlternate);
    EXPECT_EQ(tags[1].rels, kRelCanonical);
}

TEST(HeadTags, TheRulesAttributesAreTheFirstOfTheirName) {
    const auto tags =
        ScanHeadTags(u"<meta NAME=a name=b Http-Equiv=refresh content='&amp;'><link href=/x hreflang=de>");
    ASSERT_EQ(tags.size(), 2u);
    EXPECT_TRUE(tags[0].Is(HeadElement::Meta));
    EXPECT_EQ(*tags[0].Value(HeadKey::Name), u"a");
    EXPECT_EQ(*tags[0].Value(HeadKey::HttpEquiv), u"refresh");
    EXPECT_EQ(*tags[0].Value(HeadKey::Content), u"&");
    EXPECT_FALSE(tags[0].Value(HeadKey::Href));
    EXPECT_TRUE(tags[1].Is(HeadElement::Link));
    EXPECT_EQ(*tags[1].Value(HeadKey::Hreflang), u"de");
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

Strings Sources(const std::vector<String>& sources) {
    Strings found;
    for (const String& source : sources) found.push_back(source.ToUtf8());
    return found;
}

TEST(ImageSources, SrcAndFirstSrcsetCandidateOfEachImgOutsideCommentsAndScripts) {
    // Each text is scanned as UTF-16 and as its UTF-8 bytes.
    const struct {
        std::string text;
        Strings sources;
    } cases[] = {
        {"<p><IMG alt='x>y' SRC=\" a.png \" srcset=\"b.png 2x, c.png 3x\"><img/src=d&amp;e.png>"
         "<img srcset='f.png, g.png' src=''><imgx src=no.png><img src=h.png src=no.png>",
         {"a.png", "b.png", "d&e.png", "f.png", "h.png"}},
        {"<!-- <img src=a.png> --><script>x='<img src=b.png>'</script><style>/*<img src=c>*/</STYLE>"
         "<img src=d.png><img src=\"cut",
         {"d.png"}},
        {"<!---><img src=no.png>--><scripts><img src=caf\xC3\xA9.png><img\nsrc=\xF0\x9F\x98\x80.png\n>",
         {"caf\xC3\xA9.png", "\xF0\x9F\x98\x80.png"}},
        {"<img src=a.png><script></scrip><img src=no.png></SCRIPTx><img src=b.png><style", {"a.png", "b.png"}},
        {"<img src=a.png><!-- -- >", {"a.png"}},
        // An '=' where a name starts is a name of its own, so the src after it still counts.
        {"<img = src=a.png><img =src=b.png>", {"a.png"}},
        {"<img src=a.png><img", {"a.png"}},
        {"<img src=a.png><img src=", {"a.png"}},
        {"<", {}},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(Sources(ScanImageSources(String::FromUtf8(text).Text())), expected) << text;
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
        EXPECT_EQ(Sources(ScanImageSources(bytes, text.size(), true)), expected) << text;
    }
}

TEST(HeadReading, FindsInTheBytesTheTagsTheDecodedTextHolds) {
    // Heads ending before, at and past the end of the first block, in ASCII, in 8-bit text and
    // in UTF-8 with whole, stray and cut sequences, also within names, values and scripts (some
    // also as UTF-16): the tags and images read as a walk reads them are those of the whole text
    // decoded, also past the reader's first bytes.
    std::mt19937 random(20261208);
    const std::string pieces[] = {"<link rel=canonical href=/c>",
                                  "<!-- <body> -->",
                                  "<title>t</title>",
                                  "<img src=\"\xC3\xA9\xE2\x82.png\" srcset='\xE9 2x'>",
                                  "  ",
                                  "<LINK Rel=Alternate hreflang=de href='/d?a=1&amp;b=&#x41;'>",
                                  "<script type=application/ld+json>{\"d\": \"<meta>\"}</script><style>p{}</style>",
                                  "<meta name=a content=\"\xC3\xA9\">",
                                  "<meta n\xC3\xA9me=\xE2\x82 content='\xF0\x9F\x98&amp;'><script>\xE9</script>",
                                  "\xC3\xA9",
                                  "\xE2\x82",
                                  "\xF0\x9F\x98\x80",
                                  "\xE9"};
    test::TempTree tree;
    auto opened = platform::FolderHandle::Open(tree.Root());
    ASSERT_TRUE(opened);
    const auto& folder = *opened;
    for (int page = 0; page < 120; ++page) {
        // The first six pieces are ASCII, the last is 8-bit; the others make UTF-8.
        const std::size_t kinds = page % 5 == 0 ? 6 : std::size(pieces) - (page % 2 ? 1 : 0);
        std::string bytes = page % 4 == 1 ? "\xEF\xBB\xBF<head>" : "<head>";
        for (const std::size_t length = 3000 + random() % 3000; bytes.size() < length;)
            bytes += pieces[random() % kinds];
        bytes += std::string(page % 3 ? "</HEAD>" : "<body>") + "<meta name=b>" + std::string(8000, ' ');
        if (page % 5 == 0) bytes += std::string(30000 * (page % 3), ' ') + "<img src=late.png>";
        const std::string name = "p" + std::to_string(page) + ".htm";
        tree.File(name, bytes);
        WebFileReader reader;
        ASSERT_EQ(reader.Open(*folder, String::FromUtf8(name)), WebFileReader::OpenResult::TextReady);
        std::u16string text(bytes.size(), u'\0');
        text.resize(reader.Read(text.data(), text.size()));
        std::vector<std::string> names{name};
        if (page % 3 == 2) {
            std::string wide = "\xFF\xFE";
            for (const char16_t unit : text) wide += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
            names.push_back("w" + name);
            tree.File(names.back(), wide);
        }
        for (const std::string& written : names) {
            platform::DirectoryEntry entry;
            entry.name = String::FromUtf8(written);
            for (const bool images : {false, true}) {
                PageNeeds needs;
                needs.headTags = true;
                needs.images = images;
                for (const bool noindex : {false, true}) {
                    const PageFacts facts = PageReader(test::ContentTests(noindex, false), needs).Read(*folder, entry);
                    EXPECT_EQ(Lines(facts.headTags), Scan(text)) << written;
                    if (images) {
                        EXPECT_EQ(Sources(facts.imageSources), Sources(ScanImageSources(text))) << written;
                    }
                }
            }
        }
    }
}

// Three-byte characters put the text's character limit near the most bytes read of it at once:
// the image that ends before the limit counts, the one the limit cuts does not.
TEST(HeadReading, ImagesReadUpToTheCharacterLimitOfLongUtf8) {
    const std::string euro = "\xE2\x82\xAC";
    std::string bytes = "<head></head><img src=a.png>";
    const std::size_t beforeLimit = bytes.size() + std::string("<img src=b.png><img src=c").size();
    for (std::size_t i = beforeLimit; i < kMostImageText; ++i) bytes += euro;
    bytes += "<img src=b.png><img src=c.png>";
    for (int i = 0; i < 1000; ++i) bytes += euro;
    test::TempTree tree;
    tree.File("long.htm", bytes);
    auto folder = platform::FolderHandle::Open(tree.Root());
    ASSERT_TRUE(folder);
    platform::DirectoryEntry entry;
    entry.name = u"long.htm";
    PageNeeds needs;
    needs.headTags = needs.images = true;
    const PageFacts facts = PageReader(test::ContentTests(false, false), needs).Read(**folder, entry);
    EXPECT_EQ(Sources(facts.imageSources), (std::vector<std::string>{"a.png", "b.png"}));
}

}  // namespace
}  // namespace linkloom
