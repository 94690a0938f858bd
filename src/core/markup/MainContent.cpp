#include "core/markup/MainContent.h"

#include "base/AsciiCharacters.h"

namespace linkloom {

namespace {

constexpr std::string_view kIgnoreAttribute = "data-linkloom-ignore";
constexpr std::string_view kMain = "main";
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
    // Most tags are of none of these; their length alone tells most of them apart.
    if (name.size() > 8) return kPlain;
    for (const NamedClass& known : kClasses) {
        if (known.name.size() == name.size() && known.name == name) return known.flags;
    }
    return kPlain;
}

// The attribute of `tag` that names a target: href of links and image map areas, src of images.
const std::string* TargetOf(const HtmlTag& tag) {
    static constexpr std::string_view kSource = "src";
    static constexpr std::string_view kHref = "href";
    return tag.Attribute(tag.name.size() == 3 ? kSource : kHref);
}

// True when a tag named "main", in any case, may be in the page: without one, its text need not
// be gathered for the main elements.
bool MayHaveMain(std::string_view markup) {
    for (std::size_t open = markup.find('<'); open != std::string_view::npos; open = markup.find('<', open + 1)) {
        if (AsciiEqualsNoCase(markup.substr(open + 1, kMain.size()), kMain)) return true;
    }
    return false;
}

}  // namespace

void MainContent::Stream::Append(std::string_view piece) {
    // Most bytes are above the space, which no blank is.
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' ' && IsHtmlBlank(c); };
    for (std::size_t at = 0; at < piece.size();) {
        if (blank(piece[at])) {
            space = !text.empty();
            ++at;
            continue;
        }
        std::size_t end = at + 1;
        while (end < piece.size() && !blank(piece[end])) ++end;
        if (space) text += ' ';
        space = false;
        text.append(piece.data() + at, end - at);
        at = end;
    }
}

void MainContent::Stream::AppendTarget(std::string_view target) {
    while (!target.empty() && IsHtmlBlank(target.front())) target.remove_prefix(1);
    while (!target.empty() && IsHtmlBlank(target.back())) target.remove_suffix(1);
    if (space) text += ' ';
    space = false;
    text += kTargetMark;
    text.append(target);
    text += kTargetMark;
}

const std::string& MainContent::Of(std::string_view markup) {
    main_.text.clear();
    page_.text.clear();
    main_.space = page_.space = false;
    sawMain_ = false;
    gathersMain_ = MayHaveMain(markup);
    depth_ = 0;
    skippedAt_ = outsideAt_ = mainAt_ = kNone;
    tokenizer_.Run(markup, *this);
    return sawMain_ ? main_.text : page_.text;
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
    if ((kind & kSelfEnding) && depth_ > 0 && depth_ <= kMostDepth && open_[depth_ - 1] == tag.name) {
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
        if (open_.size() == depth_) open_.emplace_back();
        open_[depth_] = tag.name;
    }
    ++depth_;
}

void MainContent::Close(std::string_view name) {
    // An end tag closes the innermost open element of its name and those inside it; one with no
    // such element open is passed over.
    for (std::size_t depth = std::min(depth_, kMostDepth); depth > 0; --depth) {
        if (open_[depth - 1] == name) {
            PopTo(depth - 1);
            return;
        }
    }
}

void MainContent::PopTo(std::size_t depth) {
    depth_ = depth;
    if (skippedAt_ != kNone && skippedAt_ >= depth) skippedAt_ = kNone;
    if (outsideAt_ != kNone && outsideAt_ >= depth) outsideAt_ = kNone;
    if (mainAt_ != kNone && mainAt_ >= depth) mainAt_ = kNone;
}

}  // namespace linkloom
