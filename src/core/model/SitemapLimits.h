#pragma once

#include <cstddef>
#include <cstdint>

#include "base/String.h"

namespace linkloom {

// The longest location a sitemap may hold.
constexpr std::size_t kMostLocationLength = 2048;

// What one sitemap file may hold, and how many files one index may name, as the Sitemaps
// protocol allows.
struct SitemapLimits {
    static constexpr int kMostEntries = 50000;
    int maxEntries = kMostEntries;
    std::uint64_t maxBytes = 52428800;  // uncompressed
    std::size_t maxSitemaps = 50000;

    // True when a document of `entries` and `bytes` (UTF-8) is more than one sitemap file may hold.
    bool Exceeded(int entries, std::uint64_t bytes) const { return entries > maxEntries || bytes > maxBytes; }
    // Says so: "the sitemap holds ... more than one sitemap file may hold (...)".
    String Excess(int entries, std::uint64_t bytes) const;
};

}  // namespace linkloom
