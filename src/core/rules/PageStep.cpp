#include "core/rules/PageStep.h"

#include "core/url/PageLink.h"

namespace linkloom {

const UrlParts& PageContext::OwnUrl() {
    if (!own_) {
        own_ = SplitUrl(ownLocation_.Text());
        NormalizeUrl(*own_);
    }
    return *own_;
}

const UrlParts& PageContext::Base() {
    if (base_) return *base_;
    for (const HeadTag& tag : facts_.headTags) {
        if (!tag.Is(HeadElement::Base)) continue;
        const auto href = tag.Value(HeadKey::Href);
        if (!href) continue;
        UrlParts target;
        if (ResolveLink(*href, OwnUrl(), target) == LinkProblem::None) return *(base_ = std::move(target));
        break;
    }
    return OwnUrl();
}

}  // namespace linkloom
