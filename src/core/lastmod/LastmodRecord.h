#pragma once

#include <cstdint>

#include "base/String.h"
#include "core/lastmod/PageHashKind.h"

namespace linkloom {

// What an earlier run published: for each location, a hash of its page and the lastmod written
// for it. Told what this run writes, page by page.
class LastmodRecord {
public:
    virtual ~LastmodRecord() = default;
    // What the earlier run's hashes are of, and what this run's are to be of.
    virtual PageHashKind EarlierKind() const = 0;
    virtual PageHashKind Kind() const = 0;
    // The lastmod recorded for `location` when its page still hashes to `hash` (of the earlier
    // kind); null when the page is new or has changed, or no lastmod was written for it.
    virtual const String* Recorded(const String& location, std::uint64_t hash) const = 0;
    // This run writes `lastmod` (empty for none) for `location`, whose page hashes to `hash` (of
    // this run's kind).
    virtual void Note(const String& location, std::uint64_t hash, const String& lastmod) = 0;
};

}  // namespace linkloom
