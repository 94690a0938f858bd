#pragma once

#include "core/rules/PageStep.h"

namespace linkloom {

// Leaves out a page whose robots meta tags ask not to index it: a <meta> whose name is robots,
// googlebot or bingbot and whose content holds the token noindex or none (comma-separated, in
// any letter case, blanks around them). A page that merely holds the word stays.
class RobotsMetaStep : public PageStep {
public:
    std::optional<StepVerdict> Apply(PageContext& page, SitemapEntry& entry) override;
};

// True when the comma-separated `content` of a robots meta tag holds noindex or none.
bool SaysNoindex(std::u16string_view content);

}  // namespace linkloom
