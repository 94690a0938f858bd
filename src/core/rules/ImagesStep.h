#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
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
    // A source and the URL it resolved to, unless it resolves to no http or https URL.
    struct Resolved {
        std::u16string source;
        std::u16string url;
        bool resolves = false;
    };

    // Forgets what was resolved against another folder than the base's.
    void EnterFolder(const UrlParts& base);
    // Sets `url` to what `source` (without its fragment) resolves to against `base`; false when
    // that is no http or https URL.
    bool Resolve(std::u16string_view source, const UrlParts& base, std::u16string& url);

    // Reused from page to page: a page's dedup allocates nothing once it has room.
    std::vector<std::uint64_t> hashes_;
    // Where a source leads is decided by the base's scheme, authority and path up to its last '/',
    // but for a source that starts with '?'. The pages of a folder share them and most name the
    // same images (a logo, icons), so what was resolved is kept, by the source's hash, while the
    // folder stays the same.
    std::u16string folder_;
    std::unordered_map<std::uint64_t, Resolved> resolved_;
};

}  // namespace linkloom
