#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "base/String.h"
#include "core/lastmod/LastmodSource.h"
#include "core/sitemap/EntrySink.h"

namespace linkloom {

// The fewest entries for which one shared date says anything.
constexpr int kSharedDateLeastEntries = 20;

// When most entries share one date: the mark of a build or checkout that gave every file one time.
struct SharedDate {
    int count = 0;    // the entries with that date
    int entries = 0;  // all entries written
    String date;
};

// Counts the dates of the entries on their way to a sink, to tell when more than half of at
// least kSharedDateLeastEntries share one (the day, whatever the time of day).
class SharedLastmods : public EntrySink {
public:
    explicit SharedLastmods(EntrySink& sink) : sink_(sink) {}

    void Add(const SitemapEntry& entry) override;
    bool Failed() const override { return sink_.Failed(); }

    // The date more than half of the entries share, when there are enough of them.
    std::optional<SharedDate> Shared() const;

private:
    EntrySink& sink_;
    int entries_ = 0;
    std::unordered_map<std::u16string, int> dates_;
    // The last entry's day and its count: entries of one day mostly come in runs.
    std::u16string lastDay_;
    int* lastCount_ = nullptr;
};

// The warning for a shared date, naming the sources missing from `order` that would date each page.
String SharedDateWarning(const SharedDate& shared, const LastmodOrder& order);

}  // namespace linkloom
