#pragma once

#include <cstdint>
#include <optional>

#include "base/String.h"
#include "core/lastmod/PageHashKind.h"
#include "platform/Directory.h"

namespace linkloom {

// What an earlier run published: for each location, a hash of its page and the lastmod written
// for it, with the size and time its file had. Told what this run writes, page by page.
class LastmodRecord {
public:
    virtual ~LastmodRecord() = default;
    // What the earlier run's hashes are of, and what this run's are to be of.
    virtual PageHashKind EarlierKind() const = 0;
    virtual PageHashKind Kind() const = 0;
    // The lastmod recorded for `location` when its page still hashes to `hash` (of the earlier
    // kind); null when the page is new or has changed, or no lastmod was written for it.
    virtual const String* Recorded(const String& location, std::uint64_t hash) const = 0;
    // The hash (of this run's kind) recorded for the file at `path` (relative to the walked
    // folder) when it still has `stamp`, a time safely before the earlier run began: such a file
    // is taken as unchanged without being read, as make does. Called from the readers' threads.
    virtual std::optional<std::uint64_t> KnownHash(const String& path, const platform::FileStamp& stamp) const = 0;
    // This run writes `lastmod` (empty for none) for `location`, whose page, the file at `path`
    // with `stamp`, hashes to `hash` (of this run's kind).
    virtual void Note(const String& location, std::uint64_t hash, const String& lastmod, const String& path,
                      const platform::FileStamp& stamp) = 0;
};

}  // namespace linkloom
