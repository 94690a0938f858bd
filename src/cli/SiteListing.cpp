#include "cli/SiteListing.h"

namespace linkloom::cli {

void SiteListing::Add(const SitemapEntry& entry) {
    Page& page = pages_.emplace_back();
    page.location = entry.location.ToUtf8();
    page.lastmod = entry.lastmod.ToUtf8();
    byLocation_.emplace(page.location, &page);
}

SiteListing::Page* SiteListing::Find(std::string_view location) {
    const auto found = byLocation_.find(location);
    return found == byLocation_.end() ? nullptr : found->second;
}

}  // namespace linkloom::cli
