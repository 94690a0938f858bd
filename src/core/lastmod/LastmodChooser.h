#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "base/String.h"
#include "core/run/JobHost.h"
#include "core/model/JobSettings.h"
#include "core/lastmod/LastmodSource.h"
#include "core/model/WalkReport.h"

namespace linkloom {

// When a run starts, as its dates are written: the offset of local time from UTC and the instant.
struct RunClock {
    std::int64_t utcOffsetSeconds = 0;
    platform::FileTime start = 0;
};

// The lastmod part of the entry step. For each kept page: the lastmod an earlier run recorded,
// when the host keeps such a record and the page's bytes are unchanged; otherwise the date of the
// first source the host names that has one; otherwise none. A date later than the run's start is
// written as that start. Every date is written in the run's local time, with the time of day and
// the offset when the flags ask for it, so that text order is time order.
class LastmodChooser {
public:
    LastmodChooser(JobHost& host, const JobSettings& settings, RunClock clock);

    // What the sources and the record need read of each page.
    PageNeeds Needs() const { return needs_; }
    // The lastmod of the kept page that is listed at `location` (empty for none), and in
    // `adjustment` what was written otherwise than its source gave it.
    String Decide(const DatedPage& page, const String& location, std::optional<Adjustment>& adjustment);

private:
    std::optional<platform::FileTime> RecordedDate(const String& location, std::uint64_t hash) const;
    const String& Format(platform::FileTime time);

    std::vector<std::unique_ptr<LastmodSource>> sources_;
    LastmodRecord* record_;
    bool withTime_;
    RunClock clock_;
    PageNeeds needs_;
    // Pages written in the same second share their text, so runs of them format it once.
    platform::FileTime formattedSecond_ = 0;
    String formatted_;
};

}  // namespace linkloom
