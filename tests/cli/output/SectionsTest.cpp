#include <gtest/gtest.h>

#include "cli/output/Sections.h"
#include "support/StringPrinter.h"

namespace linkloom::cli {
namespace {

using Strings = std::vector<std::string>;

TEST(Sections, KeyedByTheFoldersUpToTheDepth) {
    const Sections top(u"https://e.x/site/", 1), two(u"https://e.x/site/", 2);
    EXPECT_EQ(top.KeyOf(u"https://e.x/site/a.htm"), u"");
    EXPECT_EQ(top.KeyOf(u"https://e.x/site/?q=a/b"), u"");
    EXPECT_EQ(top.KeyOf(u"https://e.x/site/blog/"), u"blog");
    EXPECT_EQ(top.KeyOf(u"https://e.x/site/blog/2024/a.htm"), u"blog");
    EXPECT_EQ(two.KeyOf(u"https://e.x/site/blog/2024/a.htm"), u"blog/2024");
    EXPECT_EQ(two.KeyOf(u"https://e.x/site/blog/a.htm"), u"blog");
}

TEST(Sections, NamesAreSafeAndUniqueInAnyLetterCaseWithTheTopFirst) {
    // Each section writes one file, but "big" writes three.
    const std::vector<std::u16string> keys{u"Blog", u"root", u"blog", u"", u"big-2", u"big", u"a b/\u00e9", u"big_2"};
    const auto files = [&](const String& name, std::size_t index) {
        if (keys[index] != u"big") return std::vector<String>{name + u".xml"};
        return std::vector<String>{name + u"-1.xml", name + u"-2.xml", name + u"-3.xml"};
    };
    Strings names;
    for (const String& name : SectionNames(keys, files)) names.push_back(name.ToUtf8());
    EXPECT_EQ(names, (Strings{"blog", "root_2", "blog_2", "root", "big-2", "big_2", "a_b-_", "big_2_2"}));
}

}  // namespace
}  // namespace linkloom::cli
