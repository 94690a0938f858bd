#include "core/rules/CanonicalStep.h"

#include "core/url/LocationBuilder.h"

namespace linkloom {

std::optional<StepVerdict> CanonicalStep::Apply(PageContext& page, SitemapEntry& entry) {
    ++pages_;
    for (const HeadTag& tag : page.Facts().headTags) {
        if (!tag.Is(HeadElement::Link) || !(tag.rels & kRelCanonical)) continue;
        const std::u16string_view href = tag.Value(HeadKey::Href).value_or(std::u16string_view());
        UrlParts target;
        const LinkProblem problem = ResolveLink(href, page.Base(), target);
        if (problem != LinkProblem::None) {
            page.Note({LinkRole::Canonical, String(), String(href), problem});
            return std::nullopt;
        }
        // A page that names itself keeps its location as it is spelt.
        if (page.OwnUrl().Text() == target.Text()) return std::nullopt;
        auto location = root_.Locate(target);
        if (!location) {
            String url(target.Text());
            if (++elsewhere_ == 1) example_ = url;
            return StepVerdict{LeftOutReason::CanonicalElsewhere, std::move(url)};
        }
        if (location->Length() > kMostLocationLength) return StepVerdict{LeftOutReason::UrlTooLong, String()};
        entry.location = std::move(*location);
        return std::nullopt;
    }
    return std::nullopt;
}

String CanonicalStep::Closing() const {
    if (elsewhere_ * 2 <= pages_) return String();
    return String(u"warning: ") + String::FromInt(elsewhere_) + u" of " + String::FromInt(pages_) +
           u" pages name a canonical URL outside the root URL " + root_.Url() + u", such as " + example_ +
           u"; is the root URL right?";
}

}  // namespace linkloom
