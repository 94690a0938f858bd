#include "core/rules/RedirectStep.h"

#include "base/AsciiCharacters.h"
#include "core/model/SitemapLimits.h"

namespace linkloom {

namespace {

void SkipBlanks(std::u16string_view& text) {
    while (!text.empty() && IsHtmlBlank(text.front())) text.remove_prefix(1);
}

}  // namespace

std::optional<std::u16string_view> RefreshUrl(std::u16string_view content) {
    SkipBlanks(content);
    std::size_t delay = 0;
    while (delay < content.size() && (IsAsciiDigit(content[delay]) || content[delay] == u'.')) ++delay;
    if (delay == 0) return std::nullopt;
    content.remove_prefix(delay);
    if (content.empty()) return std::nullopt;
    if (content.front() != u';' && content.front() != u',' && !IsHtmlBlank(content.front())) return std::nullopt;
    SkipBlanks(content);
    if (!content.empty() && (content.front() == u';' || content.front() == u',')) content.remove_prefix(1);
    SkipBlanks(content);
    if (content.size() >= 3 && AsciiEqualsNoCase(content.substr(0, 3), u"url")) {
        std::u16string_view rest = content.substr(3);
        SkipBlanks(rest);
        if (!rest.empty() && rest.front() == u'=') {
            rest.remove_prefix(1);
            SkipBlanks(rest);
            content = rest;
        }
    }
    if (!content.empty() && (content.front() == u'"' || content.front() == u'\'')) {
        const char16_t quote = content.front();
        content.remove_prefix(1);
        content = content.substr(0, content.find(quote));
    }
    content = TrimHtmlBlanks(content);
    if (content.empty()) return std::nullopt;
    return content;
}

std::optional<StepVerdict> RedirectStep::Apply(PageContext& page, SitemapEntry& entry) {
    for (const HeadTag& tag : page.Facts().headTags) {
        if (!tag.Is(HeadElement::Meta)) continue;
        const auto equiv = tag.Value(HeadKey::HttpEquiv);
        const auto content = tag.Value(HeadKey::Content);
        if (!equiv || !content || !AsciiEqualsNoCase(TrimHtmlBlanks(*equiv), u"refresh")) continue;
        const auto url = RefreshUrl(*content);
        if (!url) return std::nullopt;
        // The fragment names a place in the target, which is the same page.
        UrlParts target;
        if (ResolveLink(url->substr(0, url->find(u'#')), page.Base(), target) != LinkProblem::None ||
            target.Text() == page.OwnUrl().Text()) {
            return std::nullopt;
        }
        if (auto location = root_.Locate(target); location && location->Length() <= kMostLocationLength) {
            entry.location = std::move(*location);
        }
        return StepVerdict{LeftOutReason::Redirect, String(target.Text())};
    }
    return std::nullopt;
}

}  // namespace linkloom
