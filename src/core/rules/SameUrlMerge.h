#pragma once

#include <deque>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "base/String.h"
#include "core/sitemap/EntrySink.h"
#include "core/sitemap/SitemapEntry.h"

namespace linkloom {

// Holds the entries of a run whose locations may repeat, so that each location is listed once:
// where the walk first met it, with the newest lastmod of the pages that gave it and the language
// alternates of all of them (the first page's for a language named twice). A page whose location
// is known only later keeps its place in the walk in a slot.
class SameUrlMerge {
public:
    // Holds the entry of the page at `path`, in `slot` when given. When an entry with that location
    // is held already, it takes this one's lastmod if newer and its alternates (the slot stays
    // empty), and the path of the page that gave it is returned; null otherwise.
    const String* Add(SitemapEntry entry, const String& path, std::optional<std::size_t> slot = std::nullopt);
    // A place in the order of entries for a page whose location is not known yet.
    std::size_t Reserve();
    // Hands the held entries to `sink` in the order their locations were first met, until it fails.
    void Flush(EntrySink& sink) const;

private:
    struct Held {
        SitemapEntry entry;
        String path;
        bool filled = true;
    };
    std::deque<Held> held_;  // a deque, so that the keys below stay where they point
    std::unordered_map<std::u16string_view, std::size_t> at_;
};

}  // namespace linkloom
