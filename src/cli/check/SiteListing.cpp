#include "cli/check/SiteListing.h"

#include "core/url/UrlReference.h"

namespace linkloom::cli {

std::string NormalLocation(std::string_view location) {
    const String text = String::FromUtf8(location);
    // Locations this program wrote are mostly in normal form already.
    if (IsNormalUrl(SplitUrlViews(text.Text()))) return std::string(location);
    UrlParts url = SplitUrl(text.Text());
    if (!NormalizeUrl(url)) return std::string(location);
    return String(url.Text()).ToUtf8();
}

void SiteListing::Add(const SitemapEntry& entry) {
    Page& page = pages_.emplace_back();
    page.location = entry.location.ToUtf8();
    page.lastmod = entry.lastmod.ToUtf8();
    page.normal = NormalLocation(page.location);
}

SiteListing::Page* SiteListing::Find(std::string_view normal) {
    if (next_ < pages_.size() && pages_[next_].normal == normal) return &pages_[next_++];
    if (byLocation_.empty()) {
        byLocation_.reserve(pages_.size());
        for (std::size_t i = 0; i < pages_.size(); ++i) byLocation_.emplace(pages_[i].normal, i);
    }
    const auto found = byLocation_.find(normal);
    if (found == byLocation_.end()) return nullptr;
    next_ = found->second + 1;
    return &pages_[found->second];
}

}  // namespace linkloom::cli
