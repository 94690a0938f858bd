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
    const std::string& Of(std::string_view markup);

private:
    // Where text goes: the main elements' content, and the page's less its template.
    struct Stream {
        std::string text;
        bool space = false;  // white space is pending
        void Append(std::string_view piece);
        void AppendTarget(std::string_view target);
    };

    void Text(std::string_view text) override;
    void Tag(const HtmlTag& tag) override;
    void Open(const HtmlTag& tag);
    void Close(std::string_view name);
    void PopTo(std::size_t depth);
    // Whether content at the current place counts in each stream.
    bool ToMain() const { return gathersMain_ && skippedAt_ == kNone && mainAt_ != kNone; }
    bool ToPage() const { return skippedAt_ == kNone && outsideAt_ == kNone; }

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    HtmlTokenizer tokenizer_;
    Stream main_;
    Stream page_;
    bool sawMain_ = false;
    bool gathersMain_ = false;  // the page may have a main element
    // The names of the open elements; entries past depth_ keep their buffers for reuse.
    std::vector<std::string> open_;
    std::size_t depth_ = 0;
    // The depth of the open element that began each kind of exclusion; kNone while none is open.
    std::size_t skippedAt_ = kNone;  // counts nowhere
    std::size_t outsideAt_ = kNone;  // template parts: count only inside main
    std::size_t mainAt_ = kNone;
};

}  // namespace linkloom
