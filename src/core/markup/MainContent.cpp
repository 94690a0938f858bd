#include "core/markup/MainContent.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "base/AsciiCharacters.h"
#include "base/TextScan.h"

namespace linkloom {

namespace {

constexpr std::string_view kIgnoreAttribute = "data-linkloom-ignore";
// Deeper elements are not tracked: a page nested that deep is broken anyway.
constexpr std::size_t kMostDepth = 512;
// The most bytes of an end and start tag pair that is kept.
constexpr std::size_t kPairBytes = 16;

// What an element is to the main content, as flags.
enum ElementClass : unsigned {
    kPlain = 0,
    kVoid = 1,          // has no content and no end tag
    kSkipped = 2,       // counts nowhere: scripts, styles, templates, the title
    kTemplatePart = 4,  // header, footer, nav, aside: counts only inside main
    kSelfEnding = 8,    // an open one of the same name ends when it is still the innermost
    kHasTarget = 16,    // a link or image
    kMainElement = 32,
};

struct NamedClass {
    std::string_view name;
    unsigned flags;
};

// In order of length.
constexpr NamedClass kClasses[] = {
    {"p", kSelfEnding},
    {"a", kHasTarget},
    {"br", kVoid},
    {"hr", kVoid},
    {"li", kSelfEnding},
    {"dt", kSelfEnding},
    {"dd", kSelfEnding},
    {"col", kVoid},
    {"img", kVoid | kHasTarget},
    {"nav", kTemplatePart},
    {"wbr", kVoid},
    {"area", kVoid | kHasTarget},
    {"base", kVoid},
    {"link", kVoid},
    {"meta", kVoid},
    {"main", kMainElement},
    {"embed", kVoid},
    {"input", kVoid},
    {"param", kVoid},
    {"track", kVoid},
    {"style", kSkipped},
    {"title", kSkipped},
    {"aside", kTemplatePart},
    {"script", kSkipped},
    {"source", kVoid},
    {"header", kTemplatePart},
    {"footer", kTemplatePart},
    {"option", kSelfEnding},
    {"template", kSkipped},
};

// The bytes of the plainest tags' names: small letters and digits.
constexpr auto kNameBytes = [] {
    std::array<bool, 256> bytes{};
    for (char c = 'a'; c <= 'z'; ++c) bytes[static_cast<unsigned char>(c)] = true;
    for (char c = '0'; c <= '9'; ++c) bytes[static_cast<unsigned char>(c)] = true;
    return bytes;
}();

bool IsNameByte(char c) { return kNameBytes[static_cast<unsigned char>(c)]; }

}  // namespace

unsigned MainContent::ClassOf(const ElementName& key) {
    // Names are told apart by their first eight bytes and length; no name of the table is longer.
    struct Keyed {
        ElementName key;
        unsigned flags;
    };
    static constexpr auto kKeyed = [] {
        std::array<Keyed, std::size(kClasses)> keyed{};
        for (std::size_t i = 0; i < keyed.size(); ++i) keyed[i] = {NameOf(kClasses[i].name), kClasses[i].flags};
        return keyed;
    }();
    for (const Keyed& known : kKeyed) {
        if (known.key.size > key.size) break;
        if (known.key.size == key.size && known.key.head == key.head) return known.flags;
    }
    return kPlain;
}

namespace {

// The attribute of `tag` that names a target: href of links and image map areas, src of images.
const std::string* TargetOf(const HtmlTag& tag) {
    static constexpr std::string_view kSource = "src";
    static constexpr std::string_view kHref = "href";
    return tag.Attribute(tag.name.size() == 3 ? kSource : kHref);
}

}  // namespace

void MainContent::AppendTarget(CollapsedText& text, std::string_view target) {
    while (!target.empty() && IsHtmlBlank(target.front())) target.remove_prefix(1);
    while (!target.empty() && IsHtmlBlank(target.back())) target.remove_suffix(1);
    const std::string_view mark(&kTargetMark, 1);
    text.AppendVerbatim(mark);
    text.AppendVerbatim(target);
    text.AppendVerbatim(mark);
}

[[gnu::flatten]] std::string_view MainContent::Of(std::string_view markup) {
    Reset();
    Scan(markup);
    return Result();
}

std::string_view MainContent::OfEveryToken(std::string_view markup) {
    Reset();
    tokenizer_.Run(markup, *this);
    return Result();
}

void MainContent::Reset() {
    main_.Clear();
    page_.Clear();
    sawMain_ = false;
    // The stack is made once, as deep as it is tracked.
    if (open_.empty()) open_.resize(kMostDepth);
    longNames_.clear();
    depth_ = 0;
    skippedAt_ = outsideAt_ = mainAt_ = kNone;
    ChooseSink();
}

std::string_view MainContent::Result() { return sawMain_ ? main_.Text() : page_.Text(); }

void MainContent::Scan(std::string_view markup) {
    tokenizer_.Start(markup);
    const std::size_t size = markup.size();
    for (std::size_t at = 0; at < size;) {
        const std::size_t stop = at + FindEitherByte(markup.data() + at, size - at, '<', '&');
        if (stop > at) Text({markup.data() + at, stop - at});
        if (stop == size) return;
        const std::size_t after = markup[stop] == '<' ? PlainTag(markup, stop) : 0;
        at = after ? after : tokenizer_.Token(stop, *this);
    }
}

std::size_t MainContent::PlainTag(std::string_view markup, std::size_t open) {
    if (const std::size_t after = KnownPair(markup, open)) return after;
    const char* const page = markup.data();
    const std::size_t size = markup.size();
    const bool end = open + 1 < size && page[open + 1] == '/';
    const std::size_t start = open + 1 + end;
    if (start >= size || page[start] < 'a' || page[start] > 'z') return 0;
    // The name is read into its key as it is found.
    ElementName key{0, 0, 0};
    std::size_t at = start;
    for (; at < size && IsNameByte(page[at]); ++at) {
        if (at - start == sizeof key.head) return 0;
        key.head |= std::uint64_t{static_cast<unsigned char>(page[at])} << (8 * (at - start));
    }
    if (at == size || page[at] != '>') return 0;
    key.size = static_cast<std::uint32_t>(at - start);
    const std::string_view name(page + start, key.size);
    if (end) {
        if (const std::size_t reopened = Reopened(markup, at + 1, key)) {
            // Blanks between the tags are one space, if any.
            const bool blanks = reopened - at - 1 > key.size + 2u;
            if (sink_ && blanks) sink_->AppendBlank();
            KeepPair(markup, open, reopened, key, blanks);
            return reopened;
        }
        Close(key, name);
    } else if (HtmlTokenizer::BeginsText(name)) {
        return 0;
    } else {
        StartTag(key, name, nullptr);
    }
    return at + 1;
}

std::size_t MainContent::Reopened(std::string_view markup, std::size_t after, const ElementName& key) const {
    // Closing and opening again leave the stack and where text goes as they were when the element
    // closed is the innermost, began no exclusion and, by its name, begins none.
    if (!ClosesInnermost(key)) return 0;
    // Only pairs that can be kept are sought: a long run of blanks is read once, as text.
    const std::size_t tags = 2 * key.size + 5;
    if (tags > kPairBytes) return 0;
    const char* const page = markup.data();
    const std::size_t size = markup.size();
    const std::size_t blanksEnd = std::min(size, after + (kPairBytes - tags));
    std::size_t at = after;
    while (at < blanksEnd && IsHtmlBlank(page[at])) ++at;
    // The start tag: '<', the name and '>'.
    if (size - at < key.size + 2 || page[at] != '<' || page[at + 1 + key.size] != '>') return 0;
    for (std::size_t i = 0; i < key.size; ++i) {
        if (static_cast<unsigned char>(page[at + 1 + i]) != ((key.head >> (8 * i)) & 0xFF)) return 0;
    }
    const std::string_view name(page + at + 1, key.size);
    if ((ClassOf(key) & (kSkipped | kTemplatePart | kMainElement)) || HtmlTokenizer::BeginsText(name)) return 0;
    return at + key.size + 2;
}

bool MainContent::ClosesInnermost(const ElementName& key) const {
    if (depth_ == 0 || depth_ > kMostDepth || depth_ - 1 < exclusionsEnd_) return false;
    const ElementName& open = open_[depth_ - 1];
    return open.head == key.head && open.size == key.size;
}

std::size_t MainContent::KnownPair(std::string_view markup, std::size_t open) {
    std::uint64_t words[2];
    if (markup.size() - open < sizeof words) return 0;
    std::memcpy(words, markup.data() + open, sizeof words);
    if ((words[0] & pair_.mask[0]) != pair_.bytes[0] || (words[1] & pair_.mask[1]) != pair_.bytes[1] ||
        !ClosesInnermost(pair_.key)) {
        return 0;
    }
    if (sink_ && pair_.blanks) sink_->AppendBlank();
    return open + pair_.length;
}

void MainContent::KeepPair(std::string_view markup, std::size_t open, std::size_t after, const ElementName& key,
                           bool blanks) {
    std::uint64_t words[2];
    static_assert(sizeof words == kPairBytes);
    const std::size_t length = after - open;
    if (length > sizeof words || markup.size() - open < sizeof words) return;
    std::memcpy(words, markup.data() + open, sizeof words);
    // The mask is made as bytes, as the words are read, whatever the order of a word's bytes.
    unsigned char mask[sizeof words] = {};
    std::memset(mask, 0xFF, length);
    std::memcpy(pair_.mask, mask, sizeof mask);
    pair_.bytes[0] = words[0] & pair_.mask[0];
    pair_.bytes[1] = words[1] & pair_.mask[1];
    pair_.key = key;
    pair_.length = length;
    pair_.blanks = blanks;
}

void MainContent::Tag(const HtmlTag& tag) {
    if (tag.end) {
        Close(NameOf(tag.name), tag.name);
    } else {
        StartTag(NameOf(tag.name), tag.name, tag.count > 0 ? &tag : nullptr);
    }
}

void MainContent::StartTag(const ElementName& key, std::string_view name, const HtmlTag* attributes) {
    const unsigned kind = ClassOf(key);
    if ((kind & kSelfEnding) && depth_ > 0 && depth_ <= kMostDepth && IsOpen(depth_ - 1, key, name)) {
        PopTo(depth_ - 1);
    }
    // Most tags have no attributes, and most elements begin no exclusion.
    const bool ignored = attributes && TakeAttributes(*attributes, kind);
    if (kind & kVoid) return;
    Open(key, name);
    if (ignored || (kind & (kSkipped | kTemplatePart | kMainElement))) Begin(kind, ignored);
}

bool MainContent::TakeAttributes(const HtmlTag& tag, unsigned kind) {
    if (tag.Attribute(kIgnoreAttribute)) return true;
    const std::string* target = (kind & kHasTarget) ? TargetOf(tag) : nullptr;
    if (target && sink_) AppendTarget(*sink_, *target);
    return false;
}

void MainContent::Begin(unsigned kind, bool ignored) {
    if (skippedAt_ == kNone && (ignored || (kind & kSkipped))) skippedAt_ = depth_ - 1;
    if (outsideAt_ == kNone && (kind & kTemplatePart)) outsideAt_ = depth_ - 1;
    if (mainAt_ == kNone && (kind & kMainElement)) {
        mainAt_ = depth_ - 1;
        sawMain_ = sawMain_ || skippedAt_ == kNone;
    }
    ChooseSink();
}

bool MainContent::IsOpen(std::size_t depth, const ElementName& key, std::string_view name) const {
    const ElementName& open = open_[depth];
    if (open.head != key.head || open.size != key.size) return false;
    return name.size() <= sizeof key.head ||
           std::string_view(longNames_).substr(open.rest, open.size - sizeof key.head) == name.substr(sizeof key.head);
}

void MainContent::Open(const ElementName& key, std::string_view name) {
    if (depth_ < kMostDepth) {
        open_[depth_] = {key.head, key.size, static_cast<std::uint32_t>(longNames_.size())};
        if (name.size() > sizeof key.head) longNames_.append(name.substr(sizeof key.head));
    }
    ++depth_;
}

void MainContent::Close(const ElementName& key, std::string_view name) {
    // An end tag closes the innermost open element of its name and those inside it; one with no
    // such element open is passed over. Most close the innermost.
    if (depth_ > 0 && depth_ <= kMostDepth && IsOpen(depth_ - 1, key, name)) {
        PopTo(depth_ - 1);
        return;
    }
    for (std::size_t depth = std::min(depth_, kMostDepth); depth > 0; --depth) {
        if (IsOpen(depth - 1, key, name)) {
            PopTo(depth - 1);
            return;
        }
    }
}

void MainContent::PopTo(std::size_t depth) {
    if (!longNames_.empty() && depth < std::min(depth_, kMostDepth)) longNames_.resize(open_[depth].rest);
    depth_ = depth;
    // Most elements closed began no exclusion.
    if (depth >= exclusionsEnd_) return;
    // kNone is past every depth: an exclusion not begun stays so.
    if (skippedAt_ >= depth) skippedAt_ = kNone;
    if (outsideAt_ >= depth) outsideAt_ = kNone;
    if (mainAt_ >= depth) mainAt_ = kNone;
    ChooseSink();
}

}  // namespace linkloom
