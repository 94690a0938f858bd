#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/XmlReader.h"

namespace linkloom::platform {
namespace {

// Hands out a text a few bytes at a time, so that tokens are split across reads.
class TextSource : public ByteSource {
public:
    explicit TextSource(std::string text, std::size_t step = 7) : text_(std::move(text)), step_(step) {}
    bool Read(char* buffer, std::size_t size, std::size_t& got) override {
        got = std::min({size, step_, text_.size() - at_});
        text_.copy(buffer, got, at_);
        at_ += got;
        return true;
    }

private:
    std::string text_;
    std::size_t step_;
    std::size_t at_ = 0;
};

// Records what it is told as lines: "<space|name@line", ">", and the texts joined.
class Recorder : public XmlHandler {
public:
    std::vector<std::string> seen;
    bool StartElement(std::string_view space, std::string_view name, std::uint64_t line) override {
        seen.push_back("<" + std::string(space) + "|" + std::string(name) + "@" + std::to_string(line));
        return true;
    }
    bool EndElement() override {
        seen.push_back(">");
        return true;
    }
    bool Text(std::string_view text) override {
        if (seen.empty() || seen.back().rfind("t:", 0) != 0) seen.push_back("t:");
        seen.back().append(text);
        return true;
    }
};

XmlResult Read(const std::string& text, Recorder& recorder) {
    TextSource source(text);
    return ReadXml(source, recorder);
}

TEST(XmlReader, GivesNamespacesNamesLinesAndTextsWithReferencesReplaced) {
    Recorder recorder;
    const XmlResult result = Read(
        "<?xml version=\"1.0\"?>\n<s:a xmlns:s=\"urn:x\"><b>x &amp; &#233;<![CDATA[<y>]]></b>\n<c/></s:a>", recorder);
    EXPECT_EQ(result.outcome, XmlResult::Outcome::Read);
    EXPECT_EQ(recorder.seen,
              (std::vector<std::string>{"<urn:x|a@2", "<|b@2", "t:x & \xC3\xA9<y>", ">", "t:\n", "<|c@3", ">", ">"}));
}

TEST(XmlReader, RefusesDocumentTypesSoNoEntityIsExpandedOrFetched) {
    for (const std::string doctype :
         {"<!DOCTYPE a [<!ENTITY x \"xx\"><!ENTITY y \"&x;&x;&x;&x;\">]>", "<!DOCTYPE a SYSTEM \"file:///etc/passwd\">",
          "<!DOCTYPE a [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"}) {
        Recorder recorder;
        const XmlResult result = Read("<?xml version=\"1.0\"?>" + doctype + "<a>&y;&x;</a>", recorder);
        EXPECT_EQ(result.outcome, XmlResult::Outcome::DoctypeRefused) << doctype;
        EXPECT_TRUE(recorder.seen.empty()) << doctype;
    }
}

TEST(XmlReader, TellsWhereADocumentIsNotWellFormed) {
    // A document cut between elements ends in blanks, which one reader gave again and again.
    for (const std::string& text :
         {std::string("<a>\n<b></a>"), std::string("<a>"), std::string(""), std::string("\x01\x02\x00\xFF", 4),
          std::string("<a/><b/>"), std::string("<a>\n<b>x</b>\n  \n"), std::string("<a x=\"1\" x=\"2\"/>")}) {
        Recorder recorder;
        const XmlResult result = Read(text, recorder);
        EXPECT_EQ(result.outcome, XmlResult::Outcome::Malformed) << text;
        EXPECT_FALSE(result.reason.IsEmpty()) << text;
        EXPECT_FALSE(result.reason.Contains(u"0x")) << text << ": the reason in words";
    }
    Recorder recorder;
    EXPECT_EQ(Read("<a>\n<b></a>", recorder).line, 2u);
}

TEST(XmlReader, StopsWhenTheHandlerOrTheSourceSaysSo) {
    struct StopAtSecond : Recorder {
        bool StartElement(std::string_view space, std::string_view name, std::uint64_t line) override {
            Recorder::StartElement(space, name, line);
            return seen.size() < 2;
        }
    } stopper;
    EXPECT_EQ(Read("<a><b/><c/></a>", stopper).outcome, XmlResult::Outcome::Stopped);
    EXPECT_EQ(stopper.seen.size(), 2u);
    struct Refusing : ByteSource {
        bool Read(char*, std::size_t, std::size_t& got) override {
            got = 0;
            return false;
        }
    } refusing;
    Recorder recorder;
    EXPECT_EQ(ReadXml(refusing, recorder).outcome, XmlResult::Outcome::Stopped);
}

}  // namespace
}  // namespace linkloom::platform
