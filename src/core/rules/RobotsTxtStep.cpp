#include "core/rules/RobotsTxtStep.h"

namespace linkloom {

std::optional<StepVerdict> RobotsTxtStep::Apply(PageContext&, SitemapEntry& entry) {
    const UrlParts url = SplitUrl(entry.location.Text());
    const RobotsRule* rule = robots_.Decide(url.hasQuery ? url.path + u'?' + url.query : url.path);
    if (!rule || rule->allow) return std::nullopt;
    return StepVerdict{LeftOutReason::RobotsTxt, String(u"Disallow: ") + rule->pattern};
}

}  // namespace linkloom
