#include "cli/check/SiteListing.h"

namespace linkloom::cli {

void SiteListing::Add(const SitemapEntry& entry) {
    Page& page = pages_.emplace_back();
    page.location = entry.location.ToUtf8();
    page.lastmod = entry.lastmod.ToUtf8();
}

SiteListing::Page* SiteListing::Find(std::string_view location) {
    if (next_ < pages_.size() && pages_[next_].location == location) return &pages_[next_++];
    if (byLocation_.empty()) {
        byLocation_.reserve(pages_.size());
        for (std::size_t i = 0; i < pages_.size(); ++i) byLocation_.emplace(pages_[i].location, i);
    }
    const auto found = byLocation_.find(location);
    if (found == byLocation_.end()) return nullptr;
    next_ = found->second + 1;
    return &pages_[found->second];
}

}  // namespace linkloom::cli
