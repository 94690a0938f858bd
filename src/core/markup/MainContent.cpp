#include "core/markup/MainContent.h"

#include <algorithm>

#include "base/AsciiCharacters.h"

namespace linkloom {

namespace {

constexpr std::string_view kIgnoreAttribute = "data-linkloom-ignore";
// Deeper elements are not tracked: a page nested that deep is broken anyway.
constexpr std::size_t kMostDepth = 512;

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

unsigned ClassOf(std::string_view name) {
    // The table is in order of length: most names are passed over by their length alone.
    for (const NamedClass& known : kClasses) {
        if (known.name.size() > name.size()) break;
        if (known.name == name) return known.flags;
    }
    return kPlain;
}

// The attribute of `tag` that names a target: href of links and image map areas, src of images.
const std::string* TargetOf(const HtmlTag& tag) {
    static constexpr std::string_view kSource = "src";
    static constexpr std::string_view kHref = "href";
    return tag.Attribute(tag.name.size() == 3 ? kSource : kHref);
}

}  // namespace

char* MainContent::Stream::Room(std::size_t count) {
    if (buffer.size() - length < count) buffer.resize(std::max(2 * buffer.size(), length + count));
    return &buffer[length];
}

void MainContent::Stream::Append(std::string_view piece) {
    // A piece takes at most its own size and the space pending before it. Each byte is written
    // without a branch: a blank only marks a space pending (none at the start), any other byte
    // writes the pending space and itself.
    char* out = Room(piece.size() + 1);
    const char* const start = buffer.data();
    bool pending = space;
    for (const char c : piece) {
        const bool blank = static_cast<unsigned char>(c) <= ' ' && IsHtmlBlank(c);
        *out = ' ';
        out += pending && !blank;
        *out = c;
        out += !blank;
        pending = blank && out != start;
    }
    space = pending;
    length = out - start;
}

void MainContent::Stream::AppendTarget(std::string_view target) {
    while (!target.empty() && IsHtmlBlank(target.front())) target.remove_prefix(1);
    while (!target.empty() && IsHtmlBlank(target.back())) target.remove_suffix(1);
    char* out = Room(target.size() + 3);
    if (space) *out++ = ' ';
    space = false;
    *out++ = kTargetMark;
    out = std::copy(target.begin(), target.end(), out);
    *out++ = kTargetMark;
    length = out - buffer.data();
}

std::string_view MainContent::Of(std::string_view markup) {
    main_.length = page_.length = 0;
    main_.space = page_.space = false;
    sawMain_ = false;
    openNames_.clear();
    openStarts_.clear();
    depth_ = 0;
    skippedAt_ = outsideAt_ = mainAt_ = kNone;
    tokenizer_.Run(markup, *this);
    return sawMain_ ? main_.Text() : page_.Text();
}

void MainContent::Text(std::string_view text) {
    if (ToMain()) main_.Append(text);
    if (ToPage()) page_.Append(text);
}

void MainContent::Tag(const HtmlTag& tag) {
    if (tag.end) {
        Close(tag.name);
        return;
    }
    const unsigned kind = ClassOf(tag.name);
    if ((kind & kSelfEnding) && depth_ > 0 && depth_ <= kMostDepth && OpenName(depth_ - 1) == tag.name) {
        PopTo(depth_ - 1);
    }
    const bool ignored = tag.count > 0 && tag.Attribute(kIgnoreAttribute) != nullptr;
    const std::string* target = (kind & kHasTarget) && !ignored ? TargetOf(tag) : nullptr;
    if (target && ToMain()) main_.AppendTarget(*target);
    if (target && ToPage()) page_.AppendTarget(*target);
    if (kind & kVoid) return;
    Open(tag);
    if (skippedAt_ == kNone && (ignored || (kind & kSkipped))) skippedAt_ = depth_ - 1;
    if (outsideAt_ == kNone && (kind & kTemplatePart)) outsideAt_ = depth_ - 1;
    if (mainAt_ == kNone && (kind & kMainElement)) {
        mainAt_ = depth_ - 1;
        sawMain_ = sawMain_ || skippedAt_ == kNone;
    }
}

void MainContent::Open(const HtmlTag& tag) {
    if (depth_ < kMostDepth) {
        openStarts_.push_back(openNames_.size());
        openNames_.append(tag.name);
    }
    ++depth_;
}

std::string_view MainContent::OpenName(std::size_t depth) const {
    const std::size_t start = openStarts_[depth];
    const std::size_t end = depth + 1 < openStarts_.size() ? openStarts_[depth + 1] : openNames_.size();
    return std::string_view(openNames_).substr(start, end - start);
}

void MainContent::Close(std::string_view name) {
    // An end tag closes the innermost open element of its name and those inside it; one with no
    // such element open is passed over.
    for (std::size_t depth = std::min(depth_, kMostDepth); depth > 0; --depth) {
        if (OpenName(depth - 1) == name) {
            PopTo(depth - 1);
            return;
        }
    }
}

void MainContent::PopTo(std::size_t depth) {
    depth_ = depth;
    if (depth < openStarts_.size()) {
        openNames_.resize(openStarts_[depth]);
        openStarts_.resize(depth);
    }
    if (skippedAt_ != kNone && skippedAt_ >= depth) skippedAt_ = kNone;
    if (outsideAt_ != kNone && outsideAt_ >= depth) outsideAt_ = kNone;
    if (mainAt_ != kNone && mainAt_ >= depth) mainAt_ = kNone;
}

}  // namespace linkloom
