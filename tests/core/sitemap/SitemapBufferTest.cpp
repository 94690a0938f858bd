#include <gtest/gtest.h>

#include "core/sitemap/SitemapBuffer.h"
#include "core/sitemap/SitemapDocument.h"
#include "support/StringPrinter.h"

namespace linkloom {
namespace {

TEST(SitemapBuffer, KeepsEveryUnitAsItGrows) {
    SitemapBuffer buffer(0);
    std::u16string expected;
    for (int i = 0; i < 1000; ++i) {
        const String piece = String::FromInt(i) + u',';
        buffer.Append(piece);
        expected += piece.Text();
    }
    EXPECT_FALSE(buffer.Failed());
    EXPECT_EQ(buffer.ToString(), String(expected));
}

TEST(SitemapBuffer, FailsWholeWhenItCannotGrow) {
    SitemapBuffer buffer(4, 8);
    buffer.Append(u"12345678");
    EXPECT_FALSE(buffer.Failed());
    buffer.Append(u"9");
    EXPECT_TRUE(buffer.Failed());
    buffer.Append(u"");
    EXPECT_EQ(buffer.Length(), 8u);
}

TEST(SitemapDocument, FramesTheEntriesWithTheCount) {
    SitemapDocument document;
    document.Add({u"https://x.example/a.htm", u"2024-03-03"});
    String text;
    ASSERT_TRUE(document.Finish(1, text));
    EXPECT_EQ(text, String(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r\n"
                           u"<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\"> \r\n"
                           u"<url>\r\n <loc>https://x.example/a.htm</loc>\r\n <lastmod>2024-03-03</lastmod>\r\n"
                           u"</url>\r\n<!-- 1 files added -->\r\n</urlset>\r\n"));
}

}  // namespace
}  // namespace linkloom
