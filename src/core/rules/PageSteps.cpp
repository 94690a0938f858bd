#include "core/rules/PageSteps.h"

#include "core/rules/AlternatesStep.h"
#include "core/rules/CanonicalStep.h"
#include "core/rules/ImagesStep.h"
#include "core/rules/RedirectStep.h"
#include "core/rules/RobotsMetaStep.h"
#include "core/rules/RobotsTxtStep.h"

namespace linkloom {

PageSteps::PageSteps(const PageRules* rules, const String& rootUrl) {
    if (!rules) return;
    if (rules->robotsMeta) steps_.push_back(std::make_unique<RobotsMetaStep>());
    if (rules->skipRedirects) steps_.push_back(std::make_unique<RedirectStep>(rootUrl));
    if (rules->canonical) steps_.push_back(std::make_unique<CanonicalStep>(rootUrl));
    if (rules->robots) steps_.push_back(std::make_unique<RobotsTxtStep>(*rules->robots));
    if (rules->alternates) steps_.push_back(std::make_unique<AlternatesStep>());
    if (rules->images) steps_.push_back(std::make_unique<ImagesStep>());
}

std::optional<StepVerdict> PageSteps::Apply(const WalkItem& item, const PageFacts& facts, SitemapEntry& entry,
                                            WalkReport* report) {
    if (steps_.empty()) return std::nullopt;
    const String ownLocation = entry.location;
    PageContext page(facts, ownLocation);
    std::optional<StepVerdict> verdict;
    for (const auto& step : steps_) {
        if ((verdict = step->Apply(page, entry))) break;
    }
    if (report && !page.Notes().empty()) {
        const String path = item.Path();
        for (const LinkNote& note : page.Notes()) report->LinkIgnored(path, note);
    }
    return verdict;
}

std::vector<String> PageSteps::Closing() const {
    std::vector<String> said;
    for (const auto& step : steps_) {
        String text = step->Closing();
        if (!text.IsEmpty()) said.push_back(std::move(text));
    }
    return said;
}

}  // namespace linkloom
