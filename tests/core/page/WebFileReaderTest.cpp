#include <gtest/gtest.h>

#include "core/page/WebFileReader.h"
#include "support/StringPrinter.h"
#include "support/TempTree.h"

namespace linkloom {
namespace {

using Result = WebFileReader::OpenResult;
using test::Utf16Le;

class WebFileReaderTest : public ::testing::Test {
protected:
    // Opens a file of `bytes` named `name`; the whole decoded text lands in `text`.
    Result OpenFile(const std::string& name, const std::string& bytes) {
        const String path = test::ToEnginePath(tree.File(name, bytes));
        const Result result = reader.Open(path);
        text.clear();
        if (result == Result::TextReady) {
            char16_t chunk[1000];
            for (std::size_t got; (got = reader.Read(chunk, 1000)) > 0;) text.append(chunk, got);
        }
        reader.Close();
        return result;
    }

    test::TempTree tree;
    WebFileReader reader;
    std::u16string text;
};

TEST_F(WebFileReaderTest, SkipsByteOrderMarks) {
    EXPECT_EQ(OpenFile("a.htm", "\xEF\xBB\xBFh\xC3\xA9"), Result::TextReady);
    EXPECT_EQ(reader.Encoding(), TextEncoding::Utf8);
    EXPECT_EQ(text, u"h\u00E9");
    EXPECT_EQ(OpenFile("b.htm", "\xFF\xFE" + Utf16Le(u"h\u00E9\u4E2D")), Result::TextReady);
    EXPECT_EQ(reader.Encoding(), TextEncoding::Utf16Le);
    EXPECT_EQ(text, u"h\u00E9\u4E2D");
}

TEST_F(WebFileReaderTest, GuessesEncodingsWithoutAMark) {
    EXPECT_EQ(OpenFile("utf8.htm", "caf\xC3\xA9 au lait"), Result::TextReady);
    EXPECT_EQ(reader.Encoding(), TextEncoding::Utf8);
    EXPECT_EQ(text, u"caf\u00E9 au lait");

    EXPECT_EQ(OpenFile("ansi.htm", "caf\xE9s \x80"), Result::TextReady);
    EXPECT_EQ(reader.Encoding(), TextEncoding::Ansi);
    EXPECT_EQ(text, u"caf\u00E9s \u20AC");

    EXPECT_EQ(OpenFile("utf16.htm", Utf16Le(u"<html><head><title>Plain page</title>")), Result::TextReady);
    EXPECT_EQ(reader.Encoding(), TextEncoding::Utf16Le);
    EXPECT_EQ(text, u"<html><head><title>Plain page</title>");

    EXPECT_EQ(OpenFile("one.htm", "x"), Result::TextReady);
    EXPECT_EQ(text, u"x");
}

TEST_F(WebFileReaderTest, RefusesWhatIsNotText) {
    EXPECT_EQ(OpenFile("empty.htm", ""), Result::NoText);
    // An odd size, so the UTF-16 heuristic is not consulted.
    EXPECT_EQ(OpenFile("zero-byte.htm", std::string("<html>\0<body>", 13)), Result::NoText);
    EXPECT_EQ(reader.Encoding(), TextEncoding::NotText);
    EXPECT_EQ(OpenFile("index.rtf", "plain text"), Result::NoText);
    // Big-endian UTF-16 starts with a zero byte, a control byte, and has no treatment of its own.
    std::string bigEndian;
    for (char c : std::string("<html><body>text")) bigEndian += std::string(1, '\0') + c;
    EXPECT_EQ(OpenFile("be.htm", bigEndian), Result::NoText);

    EXPECT_EQ(reader.Open(test::ToEnginePath(tree.Path() / "missing.pdf")), Result::NoText);
    EXPECT_EQ(reader.Open(test::ToEnginePath(tree.Path() / "missing.htm")), Result::CannotOpen);
    EXPECT_EQ(reader.Open(test::ToEnginePath(tree.Folder("folder.htm"))), Result::CannotOpen);
}

TEST_F(WebFileReaderTest, CarriesAUtf8SequenceCutAtTheBlockSeamWhole) {
    // The 'é' up front makes the file UTF-8; the euro sign's three bytes are 4095 to 4097.
    const std::string head = "\xC3\xA9" + std::string(4093, 'a');
    ASSERT_EQ(OpenFile("seam.htm", head + "\xE2\x82\xAC" + "bc"), Result::TextReady);
    ASSERT_EQ(reader.Encoding(), TextEncoding::Utf8);
    ASSERT_EQ(text.size(), 4097u);
    EXPECT_EQ(text.substr(4094), u"\u20ACbc");
    EXPECT_EQ(text.find(u'\uFFFD'), std::u16string::npos);

    // A sequence that ends exactly at the seam is carried too and still arrives once.
    ASSERT_EQ(OpenFile("edge.htm", "\xC3\xA9" + std::string(4091, 'a') + "\xE2\x82\xAC" + "z"), Result::TextReady);
    EXPECT_EQ(text.size(), 4094u);
    EXPECT_EQ(text.substr(4092), u"\u20ACz");
}

TEST_F(WebFileReaderTest, ReadsLongUtf16AcrossBlocks) {
    std::u16string long_text;
    for (int i = 0; i < 5000; ++i) long_text += static_cast<char16_t>(u'a' + i % 26);
    ASSERT_EQ(OpenFile("long.htm", "\xFF\xFE" + Utf16Le(long_text)), Result::TextReady);
    EXPECT_EQ(text, long_text);
}

TEST_F(WebFileReaderTest, ReadsBlockByBlockAfterAShortReadAsAtOnce) {
    const std::string bytes = "\xC3\xA9" + std::string(4093, 'a') + "\xE2\x82\xAC" + std::string(9000, 'b');
    ASSERT_EQ(OpenFile("whole.htm", bytes), Result::TextReady);
    const std::u16string whole = text;
    ASSERT_EQ(reader.Open(test::ToEnginePath(tree.File("blocks.htm", bytes))), Result::TextReady);
    char16_t block[kWebBlockSize];
    std::u16string read(block, reader.Read(block, 10));
    for (std::size_t got; (got = reader.ReadBlockText(block)) > 0;) read.append(block, got);
    reader.Close();
    EXPECT_EQ(read, whole);
}

TEST(DetectTextEncoding, FollowsMarksControlBytesAndTheUtf8Check) {
    const auto detect = [](const std::string& bytes) {
        return DetectTextEncoding(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    };
    EXPECT_EQ(detect("\xFF\xFE"), TextVerdict::Utf16Le);
    EXPECT_EQ(detect("\xEF\xBB\xBF"), TextVerdict::Utf8);
    EXPECT_EQ(detect("ab"), TextVerdict::EightBit);
    EXPECT_EQ(detect(std::string("a\0", 2)), TextVerdict::NotText);
    EXPECT_EQ(detect("plain ascii"), TextVerdict::EightBit);
    EXPECT_EQ(detect("na\xC3\xAFve"), TextVerdict::Utf8);
    EXPECT_EQ(detect("na\xEFve"), TextVerdict::EightBit);
    EXPECT_EQ(detect("\xC3\xC3xx"), TextVerdict::EightBit);
    EXPECT_EQ(detect("abc\xC3"), TextVerdict::Utf8);  // a lead byte at the very end passes
    EXPECT_EQ(detect("abc\x80"), TextVerdict::EightBit);
    const unsigned char nothing = 0;
    EXPECT_EQ(DetectTextEncoding(&nothing, 0), TextVerdict::EightBit);
    EXPECT_TRUE(HasControlBytes(nullptr, 0));
    EXPECT_FALSE(HasControlBytes(reinterpret_cast<const unsigned char*>("\t\n\v\f\r \x7F\xFF"), 8));
    EXPECT_TRUE(HasControlBytes(reinterpret_cast<const unsigned char*>("ok\x1B"), 3));
}

}  // namespace
}  // namespace linkloom
