#include <gtest/gtest.h>

#include <utility>

#include "core/lastmod/ContentHash.h"
#include "support/TempTree.h"

namespace linkloom {
namespace {

// The hashes a record holds must not change from version to version: a changed value moves every
// page's date. These are the values records already hold.
TEST(ContentHasher, GivesTheHashesRecordsHold) {
    test::TempTree tree;
    const std::string page =
        "<!DOCTYPE html><html><head><title>T</title></head><body><header><nav><a href=/>Home</a></nav></header>"
        "<main> Caf\xC3\xA9 &amp; cr&egrave;me\n<a href=' x.htm '>more</a><img src=i.png></main>"
        "<footer>(c)</footer></body></html>";
    std::string wide = "\xFF\xFE";
    for (const char c : std::string("<body><p>plain &lt;words&gt;</p><script>x()</script>\t end</body>")) {
        wide += c;
        wide += '\0';
    }
    tree.File("page.htm", page);
    tree.File("wide.htm", wide);
    tree.File("plain.txt", "not markup <p>");
    const auto folder = *platform::FolderHandle::Open(tree.Root());
    ContentHasher hasher;
    using Hashes = std::pair<std::uint64_t, std::uint64_t>;
    const auto hashes = [&](const String& name) {
        Hashes both;
        EXPECT_TRUE(hasher.Hash(*folder, name, &both.first, &both.second));
        return both;
    };
    EXPECT_EQ(hashes(u"page.htm"), Hashes(0xe48d9f2bb8000020, 0xb4b6a013bc615ee7));
    EXPECT_EQ(hashes(u"wide.htm"), Hashes(0x4d1e9314f896491a, 0x724f811e53e2a851));
    // What is not markup keeps the hash of its bytes.
    EXPECT_EQ(hashes(u"plain.txt"), Hashes(0xe4bebc3312807d33, 0xe4bebc3312807d33));
    std::uint64_t bytes = 0;
    std::uint64_t content = 0;
    // UTF-16 text is hashed as the same text in UTF-8, past long stretches of ASCII; an unpaired
    // surrogate stands for U+FFFD.
    const std::u16string text =
        u"<p>" + std::u16string(40, u'x') + u" caf\u00e9 \U0001F600 \xD800 \u20ac" + std::u16string(9, u'y') + u"</p>";
    std::string utf16 = "\xFF\xFE";
    for (const char16_t unit : text) {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>(unit >> 8);
    }
    tree.File("utf16.htm", utf16);
    tree.File("utf8.htm", "<p>" + std::string(40, 'x') + " caf\xC3\xA9 \xF0\x9F\x98\x80 \xEF\xBF\xBD \xE2\x82\xAC" +
                              std::string(9, 'y') + "</p>");
    EXPECT_EQ(hashes(u"utf16.htm").second, hashes(u"utf8.htm").second);
    EXPECT_FALSE(hasher.Hash(*folder, u"missing.htm", &bytes, &content));
    // A file already read in part, as the page reader reads a head, is hashed whole once rewound.
    platform::SequentialFile file;
    ASSERT_FALSE(file.Open(*folder, u"page.htm"));
    char head[16];
    EXPECT_EQ(file.Read(head, sizeof head), sizeof head);
    ASSERT_TRUE(file.Rewind());
    Hashes again;
    hasher.Hash(file, &again.first, &again.second);
    EXPECT_EQ(again, hashes(u"page.htm"));
}

}  // namespace
}  // namespace linkloom
