#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "core/rules/PageRules.h"
#include "core/rules/PageStep.h"
#include "core/walk/FolderWalker.h"

namespace linkloom {

// The steps that a plan's rules ask for, in the order they apply to each kept page: its robots
// meta tags, a refresh to another URL, its canonical link, robots.txt on the location it is listed at, its alternates,
// its images.
class PageSteps {
public:
    // No steps for null rules.
    PageSteps(const PageRules* rules, const String& rootUrl);

    // Applies the steps to the page of `item` and its entry; the verdict of the step that leaves
    // it out, if one does. The links the steps ignored go to `report` (may be null).
    std::optional<StepVerdict> Apply(const WalkItem& item, const PageFacts& facts, SitemapEntry& entry,
                                     WalkReport* report);
    // What the steps have to say once the walk has ended.
    std::vector<String> Closing() const;

private:
    std::vector<std::unique_ptr<PageStep>> steps_;
};

}  // namespace linkloom
