#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/markup/HtmlTokenizer.h"

namespace linkloom {

// Written before and after each link or image target in a page's main content.
constexpr char kTargetMark = '\x1F';

// A page's main content, what stays when only the template around it changes: the text and the
// link and image targets of its <main> elements or, without one, of the whole page less its
// header, footer, nav and aside. Scripts, styles, templates, the title, comments and any element
// with the attribute data-linkloom-ignore count nowhere. White space is collapsed to one space,
// none at either end; a target is written as kTargetMark, the target, kTargetMark.
// One reader serves one thread; its buffers are reused from page to page.
class MainContent : private HtmlTokenHandler {
public:
    // The main content of the page `markup` (UTF-8 or another ASCII-based encoding); valid until
    // the next call.
    std::string_view Of(std::string_view markup);

private:
    // Where text goes: the main elements' content, and the page's less its template.
    struct Stream {
        std::string buffer;  // grows and is written in place; the text is its first `length` bytes
        std::size_t length = 0;
        bool space = false;  // white space is pending
        std::string_view Text() const { return {buffer.data(), length}; }
        // Where `count` more bytes may be written.
        char* Room(std::size_t count);
        void Append(std::string_view piece);
        void AppendTarget(std::string_view target);
    };

    void Text(std::string_view text) override;
    void Tag(const HtmlTag& tag) override;
    void Open(const HtmlTag& tag);
    void Close(std::string_view name);
    void PopTo(std::size_t depth);
    // Whether content at the current place counts in each stream.
    bool ToMain() const { return skippedAt_ == kNone && mainAt_ != kNone; }
    // Once a main element is seen, the page's text is not the answer.
    bool ToPage() const { return !sawMain_ && skippedAt_ == kNone && outsideAt_ == kNone; }
    // The name of the open element at `depth` (below kMostDepth).
    std::string_view OpenName(std::size_t depth) const;

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    HtmlTokenizer tokenizer_;
    Stream main_;
    Stream page_;
    bool sawMain_ = false;
    // The names of the open elements, one after another, and where each starts; elements deeper
    // than the most tracked have none.
    std::string openNames_;
    std::vector<std::size_t> openStarts_;
    std::size_t depth_ = 0;
    // The depth of the open element that began each kind of exclusion; kNone while none is open.
    std::size_t skippedAt_ = kNone;  // counts nowhere
    std::size_t outsideAt_ = kNone;  // template parts: count only inside main
    std::size_t mainAt_ = kNone;
};

}  // namespace linkloom
