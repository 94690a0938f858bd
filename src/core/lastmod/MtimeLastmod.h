#pragma once

#include "core/lastmod/LastmodSource.h"

namespace linkloom {

// The file's last-write time: the desktop program's lastmod, and one that every page has.
class MtimeLastmod : public LastmodSource {
public:
    SourceAnswer DateOf(const DatedPage& page) override { return SourceAnswer::Of(page.facts.written); }
};

}  // namespace linkloom
