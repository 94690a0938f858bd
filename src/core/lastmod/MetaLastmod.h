#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/lastmod/LastmodSource.h"
#include "core/markup/HeadTags.h"

namespace linkloom {

// The date a page gives itself in its head: the content of <meta property="article:modified_time">
// or <meta itemprop="dateModified">, or a "dateModified" in a <script type="application/ld+json">;
// the first of them, in the order they stand, that is a W3C Datetime.
class MetaLastmod : public LastmodSource {
public:
    explicit MetaLastmod(std::int64_t utcOffsetSeconds) : utcOffset_(utcOffsetSeconds) {}
    SourceAnswer DateOf(const DatedPage& page) override;

private:
    std::int64_t utcOffset_;
};

// The date of a head with these tags; a value without a time is taken in local time at
// `utcOffsetSeconds`. Nothing when the head names none, or none that a file time can hold.
std::optional<platform::FileTime> HeadDate(const HeadTags& tags, std::int64_t utcOffsetSeconds);

}  // namespace linkloom
