#pragma once

#include "core/sitemap/SitemapEntry.h"

namespace linkloom {

// Where the walk hands each finished entry, in walk order.
class EntrySink {
public:
    virtual ~EntrySink() = default;
    virtual void Add(const SitemapEntry& entry) = 0;
    // True once the sink can take no more; the walk then stops.
    virtual bool Failed() const = 0;
};

}  // namespace linkloom
