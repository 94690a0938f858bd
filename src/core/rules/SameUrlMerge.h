#pragma once

#include <deque>
#include <string_view>
#include <unordered_map>

#include "base/String.h"
#include "core/sitemap/EntrySink.h"
#include "core/sitemap/SitemapEntry.h"

namespace linkloom {

// Holds the entries of a run whose locations may repeat, so that each location is listed once:
// where the walk first met it, with the newest lastmod of the pages that gave it and the language
// alternates of all of them (the first page's for a language named twice).
class SameUrlMerge {
public:
    // Holds the entry of the page at `path`. When an entry with that location is held already, it
    // takes this one's lastmod if newer and its alternates, and the path of the page that gave it
    // is returned; null otherwise.
    const String* Add(SitemapEntry entry, const String& path);
    // Hands the held entries to `sink` in the order their locations were first met, until it fails.
    void Flush(EntrySink& sink) const;

private:
    struct Held {
        SitemapEntry entry;
        String path;
    };
    std::deque<Held> held_;  // a deque, so that the keys below stay where they point
    std::unordered_map<std::u16string_view, std::size_t> at_;
};

}  // namespace linkloom
