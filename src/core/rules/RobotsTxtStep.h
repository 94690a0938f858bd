#pragma once

#include "core/rules/PageStep.h"
#include "core/rules/RobotsTxt.h"

namespace linkloom {

// Leaves out a location that the site's robots.txt keeps crawlers in general away from; the
// detail names the rule.
class RobotsTxtStep : public PageStep {
public:
    explicit RobotsTxtStep(const RobotsTxt& robots) : robots_(robots) {}
    std::optional<StepVerdict> Apply(PageContext& page, SitemapEntry& entry) override;

private:
    const RobotsTxt& robots_;
};

}  // namespace linkloom
