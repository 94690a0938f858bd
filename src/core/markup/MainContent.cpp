#include "core/markup/MainContent.h"

#include "base/AsciiCharacters.h"

namespace linkloom {

namespace {

constexpr std::string_view kIgnoreAttribute = "data-linkloom-ignore";
constexpr std::string_view kMain = "main";
constexpr std::string_view kSkipped[] = {"script", "style", "template", "title"};
constexpr std::string_view kTemplateParts[] = {"header", "footer", "nav", "aside"};
// Elements that have no content and no end tag.
constexpr std::string_view kVoid[] = {"area",  "base", "br",   "col",   "embed",  "hr",    "img",
                                      "input", "link", "meta", "param", "source", "track", "wbr"};
// Elements that an open one of the same name ends when it is still the innermost.
constexpr std::string_view kSelfEnding[] = {"p", "li", "dt", "dd", "option"};
// Deeper elements are not tracked: a page nested that deep is broken anyway.
constexpr std::size_t kMostDepth = 512;

template <std::size_t N>
bool IsOneOf(std::string_view name, const std::string_view (&names)[N]) {
    for (const std::string_view candidate : names) {
        if (candidate == name) return true;
    }
    return false;
}

// The attribute of `tag` that names a target: href of links and image map areas, src of images.
const std::string* TargetOf(const HtmlTag& tag) {
    if (tag.name == "a" || tag.name == "area") return tag.Attribute("href");
    if (tag.name == "img") return tag.Attribute("src");
    return nullptr;
}

}  // namespace

void MainContent::Stream::Append(std::string_view piece) {
    for (std::size_t at = 0; at < piece.size();) {
        if (IsHtmlBlank(piece[at])) {
            space = !text.empty();
            ++at;
            continue;
        }
        std::size_t end = at + 1;
        while (end < piece.size() && !IsHtmlBlank(piece[end])) ++end;
        if (space) text += ' ';
        space = false;
        text.append(piece.substr(at, end - at));
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
    if (depth_ > 0 && depth_ <= kMostDepth && open_[depth_ - 1] == tag.name && IsOneOf(tag.name, kSelfEnding)) {
        PopTo(depth_ - 1);
    }
    const bool ignored = tag.Attribute(kIgnoreAttribute) != nullptr;
    const std::string* target = ignored ? nullptr : TargetOf(tag);
    if (target && ToMain()) main_.AppendTarget(*target);
    if (target && ToPage()) page_.AppendTarget(*target);
    if (IsOneOf(tag.name, kVoid)) return;
    Open(tag);
    if (skippedAt_ == kNone && (ignored || IsOneOf(tag.name, kSkipped))) skippedAt_ = depth_ - 1;
    if (outsideAt_ == kNone && IsOneOf(tag.name, kTemplateParts)) outsideAt_ = depth_ - 1;
    if (mainAt_ == kNone && tag.name == kMain) {
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
