#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>

#include "base/TextScan.h"

namespace linkloom {
namespace {

const unsigned char* Bytes(const std::string& text) { return reinterpret_cast<const unsigned char*>(text.data()); }

// The encoding guess's UTF-8 check as a plain state machine, byte by byte.
bool PlainUtf8Shape(const std::string& text) {
    int allowed = -1;  // -1: no sequence open
    bool afterLead = false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool continuation = (byte & 0xC0) == 0x80;
        if (!continuation && afterLead) return false;
        if (byte < 0x80) {
            allowed = -1;
        } else if (!continuation) {
            allowed = 5;
        } else if (allowed <= 0) {
            return false;
        } else {
            --allowed;
        }
        afterLead = byte >= 0xC0;
    }
    return true;
}

std::size_t PlainFind(std::u16string_view text, std::string_view word) {
    for (std::size_t at = 0; at + word.size() <= text.size(); ++at) {
        bool same = true;
        for (std::size_t i = 0; i < word.size() && same; ++i) {
            const char16_t unit = text[at + i];
            same = (unit >= u'A' && unit <= u'Z' ? unit + 32 : unit) == static_cast<unsigned char>(word[i]);
        }
        if (same) return at;
    }
    return std::string_view::npos;
}

// Where the first '<' at or after `from` stands before '!' or 'i' with the case bit set.
std::size_t PlainOpening(const std::string& text, std::size_t from) {
    for (std::size_t at = from; at + 1 < text.size(); ++at) {
        const int next = static_cast<unsigned char>(text[at + 1]) | 0x20;
        if (text[at] == '<' && (next == '!' || next == 'i')) return at;
    }
    return std::string::npos;
}

// Random texts of every length around the sixteen-byte steps, from a small alphabet that makes
// every case common: ASCII, control bytes, continuation and lead bytes, the words' letters.
TEST(TextScan, AgreesWithPlainLoopsOnEveryLengthAndAlignment) {
    std::mt19937 random(7);
    const std::string alphabet = std::string("aNoIdEx!dOcTyPe \n\t\x01", 19) + "\x80\xBF\xC3\xE2\xF0\xFF";
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        // Past two of the 64-unit steps of the place finder.
        const std::size_t length = random() % 150;
        while (text.size() < length) text += alphabet[random() % alphabet.size()];
        if (round % 3 == 0 && length >= 7) text.replace(random() % (length - 6), 7, round % 2 ? "NOINDEX" : "noIndex");

        std::size_t ascii = 0;
        while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) ++ascii;
        EXPECT_EQ(AsciiRun(Bytes(text), text.size()), ascii) << round;
        std::u16string widened(text.size() + 1, u'#');
        EXPECT_EQ(WidenAsciiRun(Bytes(text), text.size(), widened.data()), ascii) << round;
        EXPECT_EQ(widened.substr(0, ascii), std::u16string(text.begin(), text.begin() + ascii)) << round;
        EXPECT_EQ(widened[ascii], u'#') << round;

        std::size_t below = 0;
        while (below < text.size() && static_cast<unsigned char>(text[below]) >= 32) ++below;
        EXPECT_EQ(FindByteBelow(Bytes(text), text.size(), 32), below) << round;

        std::size_t starts = 0;
        for (const char c : text) starts += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        EXPECT_EQ(CountUtf8Starts(Bytes(text), text.size()), starts) << round;

        EXPECT_EQ(HasUtf8Shape(Bytes(text), text.size()), PlainUtf8Shape(text)) << round;

        const std::u16string units(text.begin(), text.end());
        for (const std::string_view word : {"noindex", "!doctype", "x"}) {
            EXPECT_EQ(FindAsciiNoCase(Bytes(text), text.size(), word), PlainFind(units, word)) << round;
            EXPECT_EQ(FindAsciiNoCase(units.data(), units.size(), word), PlainFind(units, word)) << round;
        }
        EXPECT_EQ(FindUnit(units.data(), units.size(), u'x'), units.find(u'x')) << round;
        // Each '<' before one of the letters, sought from forward jumps and from behind the last.
        std::replace(text.begin(), text.end(), 'a', '<');
        const std::u16string withOpenings(text.begin(), text.end());
        TagOpenings<unsigned char> byteOpenings(Bytes(text), text.size(), "!i");
        TagOpenings<char16_t> unitOpenings(withOpenings.data(), withOpenings.size(), "!i");
        for (std::size_t from = 0; from <= text.size() + 1; from += 1 + random() % 3 * (random() % 40)) {
            const std::size_t wanted = PlainOpening(text, from);
            EXPECT_EQ(byteOpenings.NextFrom(from), wanted) << round;
            EXPECT_EQ(unitOpenings.NextFrom(from), wanted) << round;
        }
        EXPECT_EQ(byteOpenings.NextFrom(0), PlainOpening(text, 0)) << round;
    }
}

TEST(TextScan, CountsStartsPastTheLaneLimit) {
    // More than 255 rounds of sixteen bytes, all starts, then all continuations.
    const std::string starts(16 * 300 + 5, 'a'), continuations(16 * 300 + 5, '\x80');
    EXPECT_EQ(CountUtf8Starts(Bytes(starts), starts.size()), starts.size());
    EXPECT_EQ(CountUtf8Starts(Bytes(continuations), continuations.size()), 0u);
}

TEST(TextScan, Utf8ShapeAllowsFiveContinuationsAndALeadAtTheEnd) {
    const auto shape = [](const std::string& text) { return HasUtf8Shape(Bytes(text), text.size()); };
    std::string five = "abcdefghijklmnopqrstuv\xFC\x80\x80\x80\x80\x80" + std::string(20, 'z');
    EXPECT_TRUE(shape(five));
    five.insert(28, "\x80");
    EXPECT_FALSE(shape(five));
    EXPECT_TRUE(shape(std::string(31, 'a') + "\xC3"));
    EXPECT_FALSE(shape(std::string(31, 'a') + "\xC3" + "a"));
    // A wide character whose code units hold zero bytes is not a word's letter.
    const std::u16string wide = u"\u0100\u006E\u016Foindex";
    EXPECT_EQ(FindAsciiNoCase(wide.data(), wide.size(), "noindex"), std::string_view::npos);
}

}  // namespace
}  // namespace linkloom
