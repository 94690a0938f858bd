#include "core/lastmod/SharedLastmods.h"

#include <algorithm>

#include "core/sitemap/SitemapEntry.h"

namespace linkloom {

namespace {

// "YYYY-MM-DD", the day of a W3C Datetime.
constexpr std::size_t kDayLength = 10;

}  // namespace

void SharedLastmods::Add(const SitemapEntry& entry) {
    ++entries_;
    const std::u16string_view day = std::u16string_view(entry.lastmod.Text()).substr(0, kDayLength);
    if (!day.empty()) {
        if (!lastCount_ || day != lastDay_) {
            lastDay_ = day;
            lastCount_ = &dates_[lastDay_];
        }
        ++*lastCount_;
    }
    sink_.Add(entry);
}

std::optional<SharedDate> SharedLastmods::Shared() const {
    if (entries_ < kSharedDateLeastEntries) return std::nullopt;
    const auto most = std::max_element(dates_.begin(), dates_.end(),
                                       [](const auto& one, const auto& other) { return one.second < other.second; });
    if (most == dates_.end() || most->second * 2 <= entries_) return std::nullopt;
    return SharedDate{most->second, entries_, String(most->first)};
}

String SharedDateWarning(const SharedDate& shared, const LastmodOrder& order) {
    String text = String(u"warning: ") + String::FromInt(shared.count) + u" of " + String::FromInt(shared.entries) +
                  u" entries have the lastmod " + shared.date +
                  u", which looks like a build or checkout date rather than when each page changed";
    const auto uses = [&](LastmodSourceKind kind) {
        return std::find(order.begin(), order.end(), kind) != order.end();
    };
    if (!uses(LastmodSourceKind::Git)) text += u"; --lastmod git,mtime dates each page by its last commit";
    if (!uses(LastmodSourceKind::Meta)) text += u"; --lastmod meta,mtime by the date the page states";
    return text;
}

}  // namespace linkloom
