#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/HashIndex.h"
#include "base/String.h"
#include "core/rules/EntrySpool.h"
#include "core/sitemap/EntrySink.h"
#include "core/sitemap/SitemapEntry.h"

namespace linkloom {

// Holds the entries of a run whose locations may repeat, so that each location is listed once:
// where the walk first met it, with the newest lastmod of the pages that gave it and the language
// alternates of all of them (the first page's for a language named twice), and the first page's
// images. A page whose location
// is known only later keeps its place in the walk in a slot. The entries wait in an EntrySpool;
// memory holds a hash and a position for each, so a run of millions of pages stays small.
class SameUrlMerge {
public:
    // Holds the entry of the page at `path`, in `slot` when given. When an entry with that location
    // is held already, it takes this one's lastmod if newer and its alternates (the slot stays
    // empty), and the path of the page that gave it is returned; nothing otherwise.
    std::optional<String> Add(SitemapEntry entry, const String& path, std::optional<std::size_t> slot = std::nullopt);
    // A place in the order of entries for a page whose location is not known yet.
    std::size_t Reserve();
    // Hands the held entries to `sink` in the order their locations were first met, until it fails.
    void Flush(EntrySink& sink) const;

private:
    static constexpr std::uint64_t kEmpty = ~std::uint64_t{0};

    EntrySpool spool_;
    std::vector<std::uint64_t> at_;   // each slot's entry in the spool, or kEmpty
    HashIndex<std::uint32_t> slots_;  // by the hash of their location
};

}  // namespace linkloom
