#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/AsciiCharacters.h"
#include "base/TextScan.h"

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
// Reading allocates only while its buffers grow. The handler is a template argument, an
// HtmlTokenHandler or any class with its two functions: a final one has its calls made inline,
// as a page's tokens are many and short.
class HtmlTokenizer {
public:
    template <class Handler>
    void Run(std::string_view input, Handler& handler);

    // The same a token at a time, for a reader that takes the commonest tokens itself: Start sets
    // the page; Token reads the token at `at`, a '<' or '&' in text, and any text its start tag
    // begins that is not markup, and returns the position after them.
    void Start(std::string_view input) {
        input_ = input;
        ampersandSought_ = false;
    }
    template <class Handler>
    std::size_t Token(std::size_t at, Handler& handler);
    // Whether a start tag of `name` (in lower case) begins text that is not markup.
    static bool BeginsText(std::string_view name) {
        // Most tags are none of these: their length or first letter tells.
        return name.size() >= kShortestTextElement && IsTextElementLetter(name[0]) && IsTextElement(name);
    }

private:
    // Each takes the position after what it starts with and returns the position after what it read.
    template <class Handler>
    std::size_t TagOpen(std::size_t at, Handler& handler);
    std::size_t MarkupDeclaration(std::size_t at) const;
    // Reads a tag into tag_; kCutOff when the page ends inside it.
    std::size_t TagBody(std::size_t at, bool end);
    template <class Handler>
    std::size_t Tag(std::size_t at, bool end, Handler& handler);
    std::size_t AttributeValue(std::size_t at, HtmlAttribute& attribute);
    std::size_t Comment(std::size_t at) const;
    std::size_t BogusComment(std::size_t at) const;
    // After a start tag: the content of elements whose text is not markup, up to their end tag.
    template <class Handler>
    std::size_t ElementText(std::size_t at, Handler& handler);
    // Where the text of the element tag_ starts at `at` ends, and whether it holds references;
    // npos when tag_ starts no such element.
    std::size_t ElementTextEnd(std::size_t at, bool& references) const;
    std::size_t ScriptEnd(std::size_t at) const;
    std::size_t RawTextEnd(std::size_t at, std::string_view name) const;
    // True when an end tag of `name` starts at `at`, its name followed by a blank, '/' or '>'.
    bool EndTagAt(std::size_t at, std::string_view name) const;
    // Text in [from, to), with its character references decoded when `references`.
    template <class Handler>
    void EmitText(std::size_t from, std::size_t to, bool references, Handler& handler);
    // Hands on the reference at the '&' at `amp`, which reaches no further than `to`, decoded (or
    // the '&' alone when it starts none); returns the position after it.
    template <class Handler>
    std::size_t Reference(std::size_t amp, std::size_t to, Handler& handler);
    // Decodes the reference after the '&' at `amp` into decoded_; returns the bytes it took after
    // the '&', 0 when it starts none.
    std::size_t Decode(std::size_t amp, std::size_t to);
    // The position of the first '&' at or after `from`; each stretch of the page is searched once.
    std::size_t AmpersandFrom(std::size_t from) {
        // Text comes in page order, so the search only moves forward; it starts at the first text
        // that needs it.
        if (!ampersandSought_ || ampersand_ < from) ampersand_ = input_.find('&', from);
        ampersandSought_ = true;
        return ampersand_;
    }
    HtmlAttribute& NewAttribute();
    void KeepAttribute();

    static constexpr bool IsTextElementLetter(char c) {
        return c == 'p' || c == 's' || c == 'x' || c == 'i' || c == 'n' || c == 't';
    }
    static bool IsTextElement(std::string_view name);

    static constexpr std::size_t npos = std::string_view::npos;
    static constexpr std::size_t kCutOff = npos;
    // No element whose text is not markup has a shorter name ("xmp").
    static constexpr std::size_t kShortestTextElement = 3;

    std::string_view input_;
    std::size_t ampersand_ = 0;  // the last '&' found, or npos when there is none further
    bool ampersandSought_ = false;
    HtmlTag tag_;
    std::string loweredName_;  // the tag's name when the page writes it with capitals
    std::string decoded_;
};

template <class Handler>
void HtmlTokenizer::Run(std::string_view input, Handler& handler) {
    Start(input);
    // Text runs to the next '<' or '&', found in one pass; most of a page is such runs and tags.
    const std::size_t size = input_.size();
    for (std::size_t at = 0; at < size;) {
        const std::size_t stop = at + FindEitherByte(input_.data() + at, size - at, '<', '&');
        if (stop > at) handler.Text(std::string_view(input_.data() + at, stop - at));
        if (stop == size) break;
        at = Token(stop, handler);
    }
}

template <class Handler>
std::size_t HtmlTokenizer::Token(std::size_t at, Handler& handler) {
    if (input_[at] == '<') return TagOpen(at + 1, handler);
    // A reference in text reaches no further than the next '<'.
    const std::size_t open = input_.find('<', at);
    return Reference(at, open == npos ? input_.size() : open, handler);
}

template <class Handler>
void HtmlTokenizer::EmitText(std::size_t from, std::size_t to, bool references, Handler& handler) {
    while (from < to) {
        const std::size_t amp = references ? AmpersandFrom(from) : npos;
        const std::size_t end = amp < to ? amp : to;
        if (end > from) handler.Text(std::string_view(input_.data() + from, end - from));
        if (end == to) return;
        from = Reference(amp, to, handler);
    }
}

template <class Handler>
std::size_t HtmlTokenizer::Reference(std::size_t amp, std::size_t to, Handler& handler) {
    const std::size_t taken = Decode(amp, to);
    handler.Text(taken ? std::string_view(decoded_) : input_.substr(amp, 1));
    return amp + 1 + taken;
}

template <class Handler>
std::size_t HtmlTokenizer::TagOpen(std::size_t at, Handler& handler) {
    const std::size_t size = input_.size();
    if (at < size) {
        const char c = input_[at];
        if (IsAsciiLetter(c)) return ElementText(Tag(at, false, handler), handler);
        if (c == '!') return MarkupDeclaration(at + 1);
        if (c == '?') return BogusComment(at);
        if (c == '/') {
            const char next = at + 1 < size ? input_[at + 1] : '\0';
            if (IsAsciiLetter(next)) return Tag(at + 1, true, handler);
            // "</>" is dropped; "</" and anything else opens a bogus comment.
            if (next == '>') return at + 2;
            if (at + 1 < size) return BogusComment(at + 1);
            EmitText(at - 1, size, false, handler);
            return size;
        }
    }
    // A '<' that opens nothing is text.
    EmitText(at - 1, at, false, handler);
    return at;
}

template <class Handler>
std::size_t HtmlTokenizer::Tag(std::size_t at, bool end, Handler& handler) {
    // Most tags are a name of small letters and digits and nothing else: they are read here.
    const std::size_t size = input_.size();
    std::size_t close = at;
    while (close < size && ((input_[close] >= 'a' && input_[close] <= 'z') || IsAsciiDigit(input_[close]))) ++close;
    if (close < size && input_[close] == '>') {
        tag_.end = end;
        tag_.selfClosing = false;
        tag_.count = 0;
        tag_.name = std::string_view(input_.data() + at, close - at);
        handler.Tag(tag_);
        return close + 1;
    }
    const std::size_t after = TagBody(at, end);
    if (after == kCutOff) return input_.size();
    handler.Tag(tag_);
    return after;
}

template <class Handler>
std::size_t HtmlTokenizer::ElementText(std::size_t at, Handler& handler) {
    if (tag_.end || at == input_.size() || tag_.name.size() < kShortestTextElement) return at;
    bool references = false;
    const std::size_t end = ElementTextEnd(at, references);
    if (end == npos) return at;
    EmitText(at, end, references, handler);
    return end == input_.size() ? end : Tag(end + 2, true, handler);
}

}  // namespace linkloom
