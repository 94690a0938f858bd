#include "core/PageStep.h"

#include "core/PageLink.h"

namespace linkloom {

const UrlParts& PageContext::Base() {
    if (base_) return *base_;
    base_ = SplitUrl(ownLocation_.Text());
    NormalizeUrl(*base_);
    for (const HeadTag& tag : facts_.headTags) {
        if (tag.name.Text() != u"base") continue;
        const String* href = tag.Attribute(u"href");
        if (!href) continue;
        UrlParts target;
        if (ResolveLink(href->Text(), *base_, target) == LinkProblem::None) base_ = std::move(target);
        break;
    }
    return *base_;
}

}  // namespace linkloom
