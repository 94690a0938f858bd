#include <gtest/gtest.h>

#include "base/ControlCharacters.h"
#include "support/StringPrinter.h"

namespace linkloom {
namespace {

TEST(ControlCharacters, AreC0DelAndC1) {
    for (const char16_t unit : {0x00, 0x09, 0x0A, 0x1B, 0x1F, 0x7F, 0x80, 0x85, 0x9B, 0x9F}) {
        EXPECT_TRUE(IsControlCharacter(unit)) << int(unit);
    }
    for (const char16_t unit : {0x20, 0x5C, 0x7E, 0xA0, 0xE9, 0x2028, 0xFFFD}) {
        EXPECT_FALSE(IsControlCharacter(unit)) << int(unit);
    }
}

TEST(ControlCharacters, AreShownEscapedAndEverythingElseAsItIs) {
    EXPECT_EQ(EscapeControlCharacters(u"a\nleft out: b\r\tc"), String(u"a\\nleft out: b\\r\\tc"));
    EXPECT_EQ(EscapeControlCharacters(String(std::u16string(u"\x01\x1B[2J\x7F\u009B", 7))),
              String(u"\\x01\\x1B[2J\\x7F\\x9B"));
    EXPECT_EQ(EscapeControlCharacters(String(std::u16string(u"a\0b", 3))), String(u"a\\x00b"));
    const String plain = u"C:\\docs\\caf\u00E9 \U0001F600.htm";
    EXPECT_EQ(EscapeControlCharacters(plain), plain);
}

}  // namespace
}  // namespace linkloom
