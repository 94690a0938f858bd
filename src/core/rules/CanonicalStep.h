#pragma once

#include "core/rules/PageStep.h"
#include "core/url/PageLink.h"

namespace linkloom {

// Lists a page at the URL that its head's first <link rel="canonical" href="..."> names: its own
// location when the link names that, the named URL when it lies under the root URL; a page whose
// canonical URL lies elsewhere is left out. A link that leads nowhere is noted and the page keeps
// its location.
class CanonicalStep : public PageStep {
public:
    explicit CanonicalStep(const String& rootUrl) : root_(rootUrl) {}

    std::optional<StepVerdict> Apply(PageContext& page, SitemapEntry& entry) override;
    // A warning when more than half of the pages named a canonical URL elsewhere: a wrong root
    // URL is the usual cause.
    String Closing() const override;

private:
    SiteRoot root_;
    int pages_ = 0;
    int elsewhere_ = 0;
    String example_;  // the first canonical URL found elsewhere
};

}  // namespace linkloom
