#include <gtest/gtest.h>

#include "core/walk/ErrorPages.h"
#include "support/StringPrinter.h"

namespace linkloom {
namespace {

TEST(ErrorPages, NamedByStatusOrTheFolderOfAnIndexPage) {
    const NameList index = {u"index.html"};
    for (const char16_t* name : {u"404.html", u"410.htm", u"500.php", u"502.html", u"503.html", u"50X.Html"}) {
        EXPECT_TRUE(IsErrorPage(u"a/b/", name, index)) << String(name).ToUtf8();
    }
    EXPECT_TRUE(IsErrorPage(u"404/", u"INDEX.HTML", index));
    EXPECT_TRUE(IsErrorPage(u"docs/50x/", u"index.html", index));
    for (const char16_t* name : {u"4040.html", u"x404.html", u"404", u"501.html", u"404.html.bak.html"}) {
        EXPECT_FALSE(IsErrorPage(u"", name, index)) << String(name).ToUtf8();
    }
    EXPECT_FALSE(IsErrorPage(u"404/", u"other.html", index));
    EXPECT_FALSE(IsErrorPage(u"404x/", u"index.html", index));
    EXPECT_FALSE(IsErrorPage(u"", u"index.html", index));
}

}  // namespace
}  // namespace linkloom
