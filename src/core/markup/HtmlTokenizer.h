#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace linkloom {

struct HtmlAttribute {
    std::string name;   // ASCII letters in lower case
    std::string value;  // character references decoded
};

// A start or end tag. Its name, strings and attributes are the tokenizer's, valid until the next
// tag and reused from tag to tag.
struct HtmlTag {
    bool end = false;
    bool selfClosing = false;
    std::string_view name;  // ASCII letters in lower case
    // The first `count` entries are the tag's; a name given twice keeps its first value.
    std::vector<HtmlAttribute> attributes;
    std::size_t count = 0;

    // The value of the attribute `name` (in lower case); null when the tag has none.
    const std::string* Attribute(std::string_view name) const;
};

// What a page's tokens go to. Comments, doctypes and processing instructions are passed over.
class HtmlTokenHandler {
public:
    virtual ~HtmlTokenHandler() = default;
    // Text, its character references decoded; one run of text may come in several pieces.
    virtual void Text(std::string_view text) = 0;
    virtual void Tag(const HtmlTag& tag) = 0;
};

// Splits a page into text and tags as HTML's tokenizer does, on UTF-8 (or other ASCII-based)
// bytes: tags with quoted, unquoted and bare attributes, comments and their odd forms ("<!-->",
// "--!>"), bogus comments, character references, and after the start tags that call for it
// script data (with its escapes), raw text (style and the like), RCDATA (title, textarea) or
// plain text to the end. A tag cut off by the end of the page is dropped, as HTML drops it.
// Reading allocates only while its buffers grow.
class HtmlTokenizer {
public:
    void Run(std::string_view input, HtmlTokenHandler& handler);

private:
    // Each takes the position after what it starts with and returns the position after what it read.
    std::size_t TagOpen(std::size_t at);
    std::size_t MarkupDeclaration(std::size_t at) const;
    std::size_t TagBody(std::size_t at, bool end);
    std::size_t AttributeValue(std::size_t at, HtmlAttribute& attribute);
    std::size_t Comment(std::size_t at) const;
    std::size_t BogusComment(std::size_t at) const;
    // After a start tag: the content of elements whose text is not markup, up to their end tag.
    std::size_t ElementText(std::size_t at);
    std::size_t ScriptEnd(std::size_t at) const;
    std::size_t RawTextEnd(std::size_t at, std::string_view name) const;
    // True when an end tag of `name` starts at `at`, its name followed by a blank, '/' or '>'.
    bool EndTagAt(std::size_t at, std::string_view name) const;
    // Text in [from, to), with its character references decoded when `references`.
    void EmitText(std::size_t from, std::size_t to, bool references);
    // The position of the first '&' at or after `from`; each stretch of the page is searched once.
    std::size_t AmpersandFrom(std::size_t from);
    HtmlAttribute& NewAttribute();
    void KeepAttribute();

    std::string_view input_;
    HtmlTokenHandler* handler_ = nullptr;
    std::size_t ampersand_ = 0;  // the last '&' found, or npos when there is none further
    HtmlTag tag_;
    std::string loweredName_;  // the tag's name when the page writes it with capitals
    std::string decoded_;
};

}  // namespace linkloom
