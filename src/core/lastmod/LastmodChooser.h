#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "base/String.h"
#include "core/lastmod/LastmodRecord.h"
#include "core/lastmod/LastmodSource.h"
#include "core/model/NoticeSink.h"
#include "core/model/WalkReport.h"

namespace linkloom {

// When a run starts, as its dates are written: the offset of local time from UTC and the instant.
struct RunClock {
    std::int64_t utcOffsetSeconds = 0;
    platform::FileTime start = 0;
};

// Where a run's lastmods come from and how they are written.
struct LastmodPlan {
    // The walked folder, ending in a separator.
    String folder;
    LastmodOrder order;
    // What earlier runs published; null for none.
    LastmodRecord* record = nullptr;
    // Dates with the time of day and the offset.
    bool withTime = false;
    ShallowPolicy shallow = ShallowPolicy::Next;
};

// The lastmod part of the entry step. For each kept page: the lastmod an earlier run recorded,
// when the plan names such a record and the page is unchanged as the record hashes it; otherwise the date of the
// first source the plan names that has one; otherwise none. A date later than the run's start is
// written as that start. Every date is written in the run's local time, with the time of day and
// the offset when the plan asks for it, so that text order is time order.
class LastmodChooser {
public:
    // A source that cannot be read says so to `notices`.
    LastmodChooser(const LastmodPlan& plan, NoticeSink& notices, RunClock clock);

    // What the sources and the record need read of each page.
    PageNeeds Needs() const { return needs_; }
    // The lastmod of the kept page that is listed at `location` (empty for none), and in
    // `adjustment` what was written otherwise than its source gave it.
    String Decide(const DatedPage& page, const String& location, std::optional<Adjustment>& adjustment);
    // False while a source still reads what it dates pages from: deciding now would wait for it.
    bool Ready();
    // Why a source stopped the run at the page last decided; empty while none has.
    const String& Stopped() const { return stopped_; }

private:
    static const std::optional<std::uint64_t>& HashOf(const PageFacts& facts, PageHashKind kind);
    std::optional<platform::FileTime> RecordedDate(const String& location, std::uint64_t hash) const;
    const String& Format(platform::FileTime time);

    std::vector<std::unique_ptr<LastmodSource>> sources_;
    LastmodRecord* record_;
    bool withTime_;
    RunClock clock_;
    PageNeeds needs_;
    String stopped_;
    bool ready_ = false;
    // Pages written in the same second share their text, so runs of them format it once.
    platform::FileTime formattedSecond_ = 0;
    String formatted_;
};

}  // namespace linkloom
