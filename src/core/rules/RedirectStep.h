#pragma once

#include <optional>
#include <string_view>

#include "core/rules/PageStep.h"
#include "core/url/PageLink.h"

namespace linkloom {

// Leaves out a redirect stub: a page whose head holds <meta http-equiv="refresh"> with a URL that
// leads to another page. The target is resolved against the page's base URL; the detail is the
// target. When it lies under the root URL the entry takes it as its location, so that a canonical
// link to the stub leads on to the target.
class RedirectStep : public PageStep {
public:
    explicit RedirectStep(const String& rootUrl) : root_(rootUrl) {}

    std::optional<StepVerdict> Apply(PageContext& page, SitemapEntry& entry) override;

private:
    SiteRoot root_;
};

// The URL of a refresh's `content` as browsers read it ("5; url='/new/'", "0;URL=/new/",
// "0, /new/"); nothing when it names none and so only reloads the page.
std::optional<std::u16string_view> RefreshUrl(std::u16string_view content);

}  // namespace linkloom
