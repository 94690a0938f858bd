#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "cli/check/SitemapBytes.h"
#include "cli/output/SitemapSet.h"
#include "support/TempTree.h"
#include "support/TreeRun.h"

namespace linkloom::cli {
namespace {

using test::Locations;
using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

std::string Count(std::size_t entries) {
    return "<!-- " + std::to_string(entries) + " files added -->\r\n</urlset>\r\n";
}

class SitemapSetTest : public ::testing::Test {
protected:
    // Writes `count` entries named by `name` into FILE "sitemap.xml" of the tree.
    bool Write(int count, SitemapLimits limits = {}, bool gzip = false, const std::string& name = "page",
               String file = u"sitemap.xml") {
        SitemapSet set(OutputNames(tree.Root() + file, gzip, form.Extension()), gzip, u"https://example.com/", limits,
                       form);
        entries.clear();
        for (int i = 0; i < count; ++i) {
            entries.push_back("https://example.com/" + name + std::to_string(i) + ".htm");
            set.Add({String::FromUtf8(entries.back()), String::FromUtf8("2024-03-" + std::to_string(10 + i % 7))});
        }
        const bool finished = set.Finish();
        error = set.Error().ToUtf8();
        return finished;
    }
    std::string File(const std::string& name) { return test::ReadFile(tree.Path() / name); }
    // A compressed file unpacked as --check reads it.
    std::string Unpacked(const std::string& name) {
        SitemapBytes bytes(SitemapLimits().maxBytes);
        EXPECT_FALSE(bytes.Open(tree.Root() + String::FromUtf8(name)));
        std::string text;
        char buffer[4096];
        for (std::size_t got; bytes.Read(buffer, sizeof buffer, got) && got > 0;) text.append(buffer, got);
        EXPECT_EQ(bytes.Outcome(), SitemapBytes::State::Reading) << name;
        return text;
    }
    Strings Names() { return test::Names(tree.Path()); }

    test::TempTree tree;
    SitemapForm form{SitemapFormat::Xml, false};
    Strings entries;
    std::string error;
};

TEST_F(SitemapSetTest, SplitsAtTheEntryLimitIntoPartsNamedByTheIndexAndStalePartsGo) {
    ASSERT_TRUE(Write(7, {3, 52428800})) << error;
    EXPECT_EQ(Names(), (Strings{"sitemap-1.xml", "sitemap-2.xml", "sitemap-3.xml", "sitemap.xml"}));
    const std::string index = File("sitemap.xml");
    EXPECT_EQ(index.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r\n<sitemapindex xmlns="), 0u);
    EXPECT_EQ(Locations(index), (Strings{"https://example.com/sitemap-1.xml", "https://example.com/sitemap-2.xml",
                                         "https://example.com/sitemap-3.xml"}));
    EXPECT_NE(index.find("<lastmod>2024-03-16</lastmod>\r\n</sitemap>\r\n</sitemapindex>\r\n"), std::string::npos);
    Strings joined;
    for (const int part : {1, 2, 3}) {
        const std::string text = File("sitemap-" + std::to_string(part) + ".xml");
        const Strings found = Locations(text);
        EXPECT_LE(found.size(), 3u);
        EXPECT_EQ(text.substr(text.size() - Count(found.size()).size()), Count(found.size()));
        joined.insert(joined.end(), found.begin(), found.end());
    }
    EXPECT_EQ(joined, entries);

    tree.File("sitemap-other.xml");
    ASSERT_TRUE(Write(5, {3, 52428800}, false, "second")) << error;
    EXPECT_EQ(Names(), (Strings{"sitemap-1.xml", "sitemap-2.xml", "sitemap-other.xml", "sitemap.xml"}));
    EXPECT_EQ(Locations(File("sitemap-2.xml")), (Strings{entries[3], entries[4]}));
    // Only the parts the earlier index names are its own: a hand-made file of that form stays.
    tree.File("sitemap-3.xml", "video sitemap");
    ASSERT_TRUE(Write(3, {3, 52428800})) << error;
    EXPECT_EQ(Names(), (Strings{"sitemap-3.xml", "sitemap-other.xml", "sitemap.xml"}));
    EXPECT_EQ(File("sitemap-3.xml"), "video sitemap");
    const std::string plain = File("sitemap.xml");
    EXPECT_EQ(Locations(plain), entries);
    EXPECT_EQ(plain.substr(plain.size() - Count(3).size()), Count(3));
}

TEST_F(SitemapSetTest, CompressedFilesHoldTheSameDocuments) {
    ASSERT_TRUE(Write(5, {2, 52428800})) << error;
    const Strings plain{File("sitemap.xml"), File("sitemap-1.xml"), File("sitemap-2.xml"), File("sitemap-3.xml")};
    ASSERT_TRUE(Write(5, {2, 52428800}, true)) << error;
    EXPECT_EQ(Unpacked("sitemap-1.xml.gz"), plain[1]);
    EXPECT_EQ(Unpacked("sitemap-2.xml.gz"), plain[2]);
    EXPECT_EQ(Unpacked("sitemap-3.xml.gz"), plain[3]);
    std::string index = plain[0];
    for (int part = 1; part <= 3; ++part) {
        const std::string name = "sitemap-" + std::to_string(part) + ".xml";
        index.replace(index.find(name), name.size(), name + ".gz");
    }
    EXPECT_EQ(Unpacked("sitemap.xml.gz"), index);
    // Every build names Unix in the header, so that the same run gives the same bytes.
    EXPECT_EQ(File("sitemap.xml.gz")[9], '\x03');
}

TEST_F(SitemapSetTest, AFailedSetLeavesNothingBehind) {
    ASSERT_FALSE(Write(5, {2, 52428800}, false, "page", u"missing/sitemap.xml"));
    EXPECT_NE(error.find("cannot write "), std::string::npos);
    EXPECT_NE(error.find("sitemap.xml: "), std::string::npos);
    tree.Folder("taken");
    ASSERT_FALSE(Write(1, {}, false, "page", u"taken"));
    EXPECT_EQ(Names(), (Strings{"taken"}));
    EXPECT_TRUE(fs::is_directory(tree.Path() / "taken"));
}

TEST_F(SitemapSetTest, ASetThatNeedsMoreSitemapsThanAnIndexMayNameLeavesTheEarlierOne) {
    ASSERT_TRUE(Write(3, {1, 52428800})) << error;
    const std::map<std::string, std::string> earlier{{"sitemap.xml", File("sitemap.xml")},
                                                     {"sitemap-1.xml", File("sitemap-1.xml")},
                                                     {"sitemap-2.xml", File("sitemap-2.xml")},
                                                     {"sitemap-3.xml", File("sitemap-3.xml")}};
    ASSERT_FALSE(Write(4, {1, 52428800, 3}, false, "later"));
    EXPECT_NE(error.find("sitemap.xml: an index may name at most 3 sitemap files; raise --max-urls"), std::string::npos)
        << error;
    std::map<std::string, std::string> now;
    for (const std::string& name : Names()) now[name] = File(name);
    EXPECT_EQ(now, earlier);
}

TEST_F(SitemapSetTest, TextPartsHaveNoIndexAndTheEarlierFileGoes) {
    form = SitemapForm(SitemapFormat::Text, false);
    ASSERT_TRUE(Write(2, {}, false, "page", u"map.txt")) << error;
    EXPECT_EQ(File("map.txt"), entries[0] + "\n" + entries[1] + "\n");
    // 30 bytes a line: two fit in 80 bytes, not three.
    ASSERT_TRUE(Write(5, {50000, 80}, false, "page", u"map.txt")) << error;
    EXPECT_EQ(Names(), (Strings{"map-1.txt", "map-2.txt", "map-3.txt"}));
    EXPECT_EQ(File("map-3.txt"), entries[4] + "\n");
}

TEST(OutputNamesTest, PartsAreNamedForTheFileWithoutItsExtension) {
    EXPECT_EQ(OutputNames(u"out/sitemap.XML", false).PartPath(2).ToUtf8(), "out/sitemap-2.xml");
    EXPECT_EQ(OutputNames(u"map", false).PartName(1).ToUtf8(), "map-1.xml");
    const OutputNames compressed(u"site.xml", true);
    EXPECT_EQ(compressed.File().ToUtf8(), "site.xml.gz");
    EXPECT_EQ(compressed.PartName(3).ToUtf8(), "site-3.xml.gz");
    EXPECT_EQ(OutputNames(u"site.xml.gz", true).PartName(1).ToUtf8(), "site-1.xml.gz");
}

// Entries of many sizes, with alternates and a stylesheet: each part is as full as the byte limit
// lets it be, counting its footer, and declares the namespace of the links it holds.
TEST_F(SitemapSetTest, SplitsBySizeWithEverythingAPartHoldsCounted) {
    const SitemapLimits limits{50000, 3000};
    {
        SitemapSet set(OutputNames(tree.Root() + u"alt.xml", false), false, u"https://example.com/", limits,
                       SitemapForm(SitemapFormat::Xml, true, String(u"/" + std::u16string(300, u's'))));
        for (int i = 0; i < 12; ++i) {
            SitemapEntry entry{String::FromUtf8("https://example.com/p" + std::to_string(i)), u"2024-03-10"};
            for (int language = 0; language < i % 5; ++language) {
                entry.alternates.push_back({String::FromUtf8("l" + std::string(1, char('a' + language))),
                                            u"https://example.com/a?b=1&c=" + String(std::u16string(100, u'x'))});
            }
            entries.push_back(entry.location.ToUtf8());
            set.Add(entry);
        }
        ASSERT_TRUE(set.Finish()) << set.Error().ToUtf8();
    }
    const std::size_t parts = Names().size() - 1;
    ASSERT_GT(parts, 2u);
    Strings joined;
    int links = 0;
    for (std::size_t part = 1; part <= parts; ++part) {
        const std::string text = File("alt-" + std::to_string(part) + ".xml");
        EXPECT_LE(text.size(), limits.maxBytes) << part;
        if (part < parts) {
            // Full: the next part's first entry would not have fitted.
            const std::string next = File("alt-" + std::to_string(part + 1) + ".xml");
            const std::size_t first = next.find("<url>");
            EXPECT_GT(text.size() + next.find("</url>\r\n", first) + 8 - first, limits.maxBytes) << part;
        }
        EXPECT_NE(text.find("<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\" "
                            "xmlns:xhtml=\"http://www.w3.org/1999/xhtml\"> \r\n"),
                  std::string::npos)
            << part;
        for (auto at = text.find("<xhtml:link rel=\"alternate\" hreflang=\"l"); at != std::string::npos;
             at = text.find("<xhtml:link", at + 1)) {
            const std::string href = "href=\"https://example.com/a?b=1&amp;c=x";
            EXPECT_EQ(text.compare(at + 42, href.size(), href), 0);
            ++links;
        }
        const Strings found = Locations(text);
        joined.insert(joined.end(), found.begin(), found.end());
    }
    EXPECT_EQ(joined, entries);
    EXPECT_EQ(links, 2 * (0 + 1 + 2 + 3 + 4) + (0 + 1));
    EXPECT_EQ(Locations(File("alt.xml")).size(), parts);
}

}  // namespace
}  // namespace linkloom::cli
