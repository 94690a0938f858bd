#pragma once

#include <cstdint>
#include <vector>

#include "core/rules/PageStep.h"

namespace linkloom {

// Gives a page's entry the URLs of its images: its og:image meta tags, then the src and first
// srcset candidate of each <img>, resolved against the page's base URL. Sources that are no http
// or https URL (data: among them) are skipped, a URL named again is dropped, and at most
// kMostImages are kept.
class ImagesStep : public PageStep {
public:
    static constexpr std::size_t kMostImages = 1000;

    std::optional<StepVerdict> Apply(PageContext& page, SitemapEntry& entry) override;

private:
    // Reused from page to page: a page's dedup allocates nothing once it has room.
    std::vector<std::uint64_t> hashes_;
};

}  // namespace linkloom
