#pragma once

#include <cstdint>

#include "base/String.h"

namespace linkloom {

// What an earlier run published: for each location, a hash of its page's bytes and the lastmod
// written for it. Told what this run writes, page by page.
class LastmodRecord {
public:
    virtual ~LastmodRecord() = default;
    // The lastmod recorded for `location` when its page's bytes still hash to `hash`; null when
    // the page is new or has changed, or no lastmod was written for it.
    virtual const String* Recorded(const String& location, std::uint64_t hash) const = 0;
    // This run writes `lastmod` (empty for none) for `location`, whose page hashes to `hash`.
    virtual void Note(const String& location, std::uint64_t hash, const String& lastmod) = 0;
};

}  // namespace linkloom
