#include "cli/state/UrlChanges.h"

#include <algorithm>

namespace linkloom::cli {

void UrlChanges::Published(std::string_view location, std::string_view lastmod) {
    const auto [found, added] = locations_.try_emplace(std::string(location));
    Location& entry = found->second;
    if (added) {
        entry.published = true;
        publishedOrder_.push_back(&*found);
    }
    // One run writes every date in one form, so text order is time order.
    if (lastmod > entry.lastmod) entry.lastmod = std::string(lastmod);
}

void UrlChanges::Listed(const SitemapEntry& entry) {
    const auto [found, added] = locations_.try_emplace(entry.location.ToUtf8());
    Location& location = found->second;
    if (location.listed) return;
    location.listed = true;
    if (!location.published) {
        changes_.push_back({Mark::New, found->first});
    } else if (location.lastmod != entry.lastmod.ToUtf8()) {
        changes_.push_back({Mark::Moved, found->first});
    }
}

void UrlChanges::Finish() {
    for (const auto* location : publishedOrder_) {
        if (!location->second.listed) changes_.push_back({Mark::Gone, location->first});
    }
}

int UrlChanges::Count(Mark mark) const {
    return static_cast<int>(
        std::count_if(changes_.begin(), changes_.end(), [mark](const Change& change) { return change.mark == mark; }));
}

std::string UrlChanges::Lines(const std::vector<Change>& changes) {
    std::string text;
    for (const Change& change : changes) {
        text += static_cast<char>(change.mark);
        text += ' ';
        text += change.location;
        text += '\n';
    }
    return text;
}

std::string UrlChanges::Summary() const {
    return std::to_string(Count(Mark::New)) + " new, " + std::to_string(Count(Mark::Moved)) + " changed, " +
           std::to_string(Count(Mark::Gone)) + " gone";
}

}  // namespace linkloom::cli
