#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/markup/CollapsedText.h"
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
class MainContent final : private HtmlTokenHandler {
public:
    // The main content of the page `markup` (UTF-8 or another ASCII-based encoding); valid until
    // the next call.
    std::string_view Of(std::string_view markup);
    // The same with every token read by the tokenizer: what Of's own reading of the plainest tags
    // must agree with.
    std::string_view OfEveryToken(std::string_view markup);

private:
    // The tokenizer calls the handler's functions directly, without the virtual call.
    friend class HtmlTokenizer;
    void Text(std::string_view text) override {
        if (sink_) sink_->Append(text);
    }
    void Tag(const HtmlTag& tag) override;
    void Reset();
    std::string_view Result();
    // Reads the page: its text and the plainest tags here, every other token by the tokenizer.
    void Scan(std::string_view markup);
    // Takes the tag at the '<' at `open` when it is a start or end tag with nothing but a name of
    // small letters and digits, at most eight, and begins no text that is not markup: returns the
    // position after it, or 0 when the tokenizer is to read it.
    std::size_t PlainTag(std::string_view markup, std::size_t open);
    // An element's name as the stack holds it: its first eight bytes in one word, the rest (rarely
    // any) in longNames_ from `rest`.
    struct ElementName {
        std::uint64_t head;
        std::uint32_t size;
        std::uint32_t rest;
    };
    static constexpr ElementName NameOf(std::string_view name) {
        ElementName key{0, static_cast<std::uint32_t>(name.size()), 0};
        // Most names are a letter or two: a loop costs less than a call to copy them.
        for (std::size_t i = 0; i < name.size() && i < sizeof key.head; ++i) {
            key.head |= std::uint64_t{static_cast<unsigned char>(name[i])} << (8 * i);
        }
        return key;
    }
    // After the end tag of the innermost open element `key`, which ends at `after`: the position
    // after blanks and a start tag of the same name alone that opens the element again as it was,
    // when the pair fits in sixteen bytes, or 0. Such pairs, as "</p>\n<p>", are most of the tags
    // of many pages.
    std::size_t Reopened(std::string_view markup, std::size_t after, const ElementName& key) const;
    // Whether an end tag of `key`, a name of at most eight bytes, closes the innermost open
    // element, which began no exclusion.
    bool ClosesInnermost(const ElementName& key) const;
    // The position after the pair at the '<' at `open` when it is the pair kept by KeepPair, and
    // the pair's blanks are written; otherwise 0.
    std::size_t KnownPair(std::string_view markup, std::size_t open);
    // Keeps the pair Reopened found in [open, after), of the element `key`, when it fits in
    // sixteen bytes: a page repeats a few such pairs many times, and one is then known by them.
    void KeepPair(std::string_view markup, std::size_t open, std::size_t after, const ElementName& key, bool blanks);
    // What the element `key` names is to the main content (ElementClass flags).
    static unsigned ClassOf(const ElementName& key);
    // Whether the open element at `depth` (below kMostDepth) is `name`, which `key` stands for.
    bool IsOpen(std::size_t depth, const ElementName& key, std::string_view name) const;
    // A start tag, with its attributes when it has any.
    void StartTag(const ElementName& key, std::string_view name, const HtmlTag* attributes);
    void Open(const ElementName& key, std::string_view name);
    void Close(const ElementName& key, std::string_view name);
    // Writes the link or image target of a start tag with attributes, unless an attribute marks
    // it ignored: then returns true.
    bool TakeAttributes(const HtmlTag& tag, unsigned kind);
    // The exclusions the open element of class `kind` begins.
    void Begin(unsigned kind, bool ignored);
    // Writes a link or image target to `text`.
    static void AppendTarget(CollapsedText& text, std::string_view target);
    void PopTo(std::size_t depth);
    // Whether content at the current place counts in each stream.
    bool ToMain() const { return skippedAt_ == kNone && mainAt_ != kNone; }
    // Once a main element is seen, the page's text is not the answer.
    bool ToPage() const { return !sawMain_ && skippedAt_ == kNone && outsideAt_ == kNone; }
    // Where text at the current place goes, after a change of the exclusions: content counts in
    // the main elements' stream only once one is seen, so in one stream at most.
    void ChooseSink() {
        sink_ = ToMain() ? &main_ : ToPage() ? &page_ : nullptr;
        // kNone + 1 wraps to 0: an exclusion not begun ends at no depth.
        exclusionsEnd_ = std::max({skippedAt_ + 1, outsideAt_ + 1, mainAt_ + 1});
    }

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    HtmlTokenizer tokenizer_;
    // Where text goes: the main elements' content, and the page's less its template.
    CollapsedText main_;
    CollapsedText page_;
    CollapsedText* sink_ = nullptr;
    bool sawMain_ = false;
    // The names of the open elements, the first depth_ of them; elements deeper than the most
    // tracked have none.
    std::vector<ElementName> open_;
    // The last pair kept: where `mask` has bits, its bytes from the '<' are `bytes`; none match
    // at first.
    struct Pair {
        std::uint64_t bytes[2] = {1, 0};
        std::uint64_t mask[2] = {0, 0};
        ElementName key{};
        std::size_t length = 0;
        bool blanks = false;
    };
    Pair pair_;
    std::string longNames_;
    std::size_t depth_ = 0;
    // The depth of the open element that began each kind of exclusion; kNone while none is open.
    std::size_t skippedAt_ = kNone;  // counts nowhere
    std::size_t outsideAt_ = kNone;  // template parts: count only inside main
    std::size_t mainAt_ = kNone;
    // One past the depth of the innermost element that began an exclusion: popping the stack below
    // it ends one.
    std::size_t exclusionsEnd_ = 0;
};

}  // namespace linkloom
