#pragma once

#include <cstdint>

#include "base/String.h"
#include "core/rules/RecordSpool.h"
#include "core/sitemap/SitemapEntry.h"

namespace linkloom {

// Entries and the paths of their pages, kept in a RecordSpool and read back by the position
// Append gave.
class EntrySpool {
public:
    std::uint64_t Append(const SitemapEntry& entry, const String& path);
    void Load(std::uint64_t at, SitemapEntry& entry, String& path) const;
    // True when the entry at `at` has that location; nothing else is read.
    bool HasLocation(std::uint64_t at, std::u16string_view location) const;

private:
    RecordSpool records_;
};

}  // namespace linkloom
