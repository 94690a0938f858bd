#pragma once

#include <cstdint>

namespace linkloom::cli {

// What one sitemap file may hold, as the Sitemaps protocol allows.
struct SitemapLimits {
    static constexpr int kMostEntries = 50000;
    int maxEntries = kMostEntries;
    std::uint64_t maxBytes = 52428800;  // uncompressed
};

}  // namespace linkloom::cli
