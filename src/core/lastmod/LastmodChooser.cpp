#include "core/lastmod/LastmodChooser.h"

#include <algorithm>

#include "core/lastmod/GitLastmod.h"
#include "core/lastmod/MetaLastmod.h"
#include "core/lastmod/MtimeLastmod.h"
#include "core/markup/W3cDatetime.h"
#include "core/sitemap/SitemapEntry.h"
#include "platform/UnixTime.h"

namespace linkloom {

LastmodChooser::LastmodChooser(const LastmodPlan& plan, NoticeSink& notices, RunClock clock)
    : record_(plan.record), withTime_(plan.withTime), clock_(clock) {
    for (const LastmodSourceKind& kind : plan.order) {
        switch (kind) {
        case LastmodSourceKind::Git:
            sources_.push_back(
                std::make_unique<GitLastmod>(plan.folder, &kind == &plan.order.back(), plan.shallow, notices));
            break;
        case LastmodSourceKind::Meta:
            sources_.push_back(std::make_unique<MetaLastmod>(clock.utcOffsetSeconds));
            needs_.headTags = true;
            break;
        case LastmodSourceKind::Mtime: sources_.push_back(std::make_unique<MtimeLastmod>()); break;
        }
    }
    if (record_) {
        for (const PageHashKind kind : {record_->EarlierKind(), record_->Kind()}) {
            (kind == PageHashKind::Bytes ? needs_.byteHash : needs_.contentHash) = true;
        }
        // A hash of the other kind has to be taken anew.
        if (record_->EarlierKind() == record_->Kind()) needs_.knownHashes = record_;
    }
}

const std::optional<std::uint64_t>& LastmodChooser::HashOf(const PageFacts& facts, PageHashKind kind) {
    return kind == PageHashKind::Bytes ? facts.byteHash : facts.contentHash;
}

std::optional<platform::FileTime> LastmodChooser::RecordedDate(const String& location, std::uint64_t hash) const {
    const String* recorded = record_->Recorded(location, hash);
    if (!recorded) return std::nullopt;
    const auto date = ParseW3cDatetime(recorded->ToUtf8(), clock_.utcOffsetSeconds);
    platform::FileTime time = 0;
    if (!date || !platform::FileTimeFromUnix(date->first, 0, time)) return std::nullopt;
    return time;
}

bool LastmodChooser::Ready() {
    if (!ready_) {
        ready_ = std::all_of(sources_.begin(), sources_.end(),
                             [](const std::unique_ptr<LastmodSource>& source) { return source->Ready(); });
    }
    return ready_;
}

String LastmodChooser::Decide(const DatedPage& page, const String& location, std::optional<Adjustment>& adjustment) {
    // A record of the other kind is looked up with its kind of hash, so that a change of kind
    // moves no date; this run's record keeps this run's kind.
    const bool recorded = record_ && HashOf(page.facts, record_->Kind());
    std::optional<platform::FileTime> date;
    if (recorded) date = RecordedDate(location, *HashOf(page.facts, record_->EarlierKind()));
    for (auto source = sources_.begin(); !date && source != sources_.end(); ++source) {
        SourceAnswer answer = (*source)->DateOf(page);
        if (answer.kind == SourceAnswer::Kind::Date) date = answer.time;
        if (answer.kind == SourceAnswer::Kind::NoLastmod) break;
        if (answer.kind == SourceAnswer::Kind::Stop) {
            stopped_ = std::move(answer.reason);
            return String();
        }
    }
    String lastmod;
    if (date) {
        if (*date > clock_.start) {
            date = clock_.start;
            adjustment = Adjustment::TimeInFuture;
        } else if (*date == 0 || LastmodClamped(*date, clock_.utcOffsetSeconds)) {
            // File times stop at 1601 on every system: a time of 0 stands for one from before.
            adjustment = Adjustment::TimeOutOfRange;
        }
        lastmod = Format(*date);
    }
    if (recorded) {
        record_->Note(location, *HashOf(page.facts, record_->Kind()), lastmod, *page.folderPath + page.name,
                      {page.facts.written, page.facts.size});
    }
    return lastmod;
}

const String& LastmodChooser::Format(platform::FileTime time) {
    const platform::FileTime second = time / platform::kFileTimeUnitsPerSecond;
    if (formatted_.IsEmpty() || second != formattedSecond_) {
        formattedSecond_ = second;
        formatted_ = LastmodText(time, withTime_, clock_.utcOffsetSeconds);
    }
    return formatted_;
}

}  // namespace linkloom
