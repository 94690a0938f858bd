#include "core/run/SitemapRun.h"

#include "base/PathText.h"
#include "core/model/RunMessages.h"
#include "core/walk/ErrorPages.h"
#include "core/walk/NameSelection.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"
#include "platform/NativePath.h"

namespace linkloom {

namespace {

// Items that stand for an entry of a listing; the front end's events are handled before each.
bool IsListingEntry(const WalkItem& item) {
    switch (item.kind) {
    case WalkItemKind::File:
    case WalkItemKind::Folder: return true;
    case WalkItemKind::LeftOut: return item.reason == LeftOutReason::Excluded;
    case WalkItemKind::FolderDone:
    case WalkItemKind::Error: break;
    }
    return false;
}

std::optional<LeftOutReason> ReasonOf(PageVerdict verdict) {
    switch (verdict) {
    case PageVerdict::Keep: return std::nullopt;
    case PageVerdict::Noindex: return LeftOutReason::Noindex;
    case PageVerdict::NoDoctype: return LeftOutReason::NoDoctype;
    case PageVerdict::Unreadable: break;
    }
    return LeftOutReason::Unreadable;
}

// The reasons that leave a page out by the run's rules: a canonical link to it leads nowhere to list.
bool IsRuleReason(LeftOutReason reason) {
    switch (reason) {
    case LeftOutReason::TemplateName:
    case LeftOutReason::Noindex:
    case LeftOutReason::NoDoctype:
    case LeftOutReason::ErrorPage:
    case LeftOutReason::Excluded: return true;
    default: break;
    }
    return false;
}

RunClock ClockNow() { return {platform::CurrentUtcOffsetSeconds(), platform::CurrentFileTime()}; }

}  // namespace

SitemapRun::SitemapRun(const RunPlan& plan, const RunPorts& ports)
    : plan_(plan),
      ports_(ports),
      written_(ports.entries),
      walker_(plan.settings.folder, &plan.exclusions),
      entries_(plan.settings.rootUrl, LocationNaming(plan.rules ? &*plan.rules : nullptr)),
      lastmods_({plan.settings.folder, plan.lastmod, plan.record, plan.settings.options.lastmodWithTime, plan.shallow},
                ports.notices, ClockNow()),
      pages_(plan.settings.options, (plan.rules ? plan.rules->Needs({}) : PageNeeds()) | lastmods_.Needs(),
             plan.pageReaders),
      steps_(plan.rules ? &*plan.rules : nullptr, plan.settings.rootUrl) {
    if (plan.rules && plan.rules->MergesLocations()) merge_.emplace();
    if (plan.rules && plan.rules->canonical) {
        chains_.emplace(*merge_, static_cast<CanonicalChains::Outlet&>(*this),
                        [this](std::u16string_view location) { return MayBePage(location); });
    }
}

RunEnd SitemapRun::Run() {
    showsProgress_ = ports_.progress.Show(RunMessage::kWorking);
    Walk();
    if (!lastmods_.Stopped().IsEmpty()) {
        if (showsProgress_) ports_.progress.Hide();
        return RunEnd::Stopped;
    }
    if (chains_) chains_->End();
    if (merge_) merge_->Flush(written_);
    for (const String& text : steps_.Closing()) ports_.notices.Notice(text);
    if (const auto shared = written_.Shared(); shared && plan_.tellsSharedDates) {
        ports_.notices.Notice(SharedDateWarning(*shared, plan_.lastmod));
        if (ports_.leftOut) ports_.leftOut->DatesShared(shared->count, shared->entries, shared->date);
    }
    if (showsProgress_) ports_.progress.Hide();
    if (count_ > 0 || written_.Failed()) return RunEnd::Entries;
    if (folderError_) return RunEnd::FolderUnreadable;
    return cancelled_ ? RunEnd::Cancelled : RunEnd::NothingMatched;
}

void SitemapRun::Walk() {
    bool walked = false;
    for (;;) {
        WalkSlot slot;
        // While a lastmod source still reads (git's history), the walk lists further ahead
        // rather than wait for it at the first page.
        const bool ahead = !walked && !pages_.FarAhead() && !lastmods_.Ready();
        while (!ahead && pages_.Pop(slot, walked || pages_.Full())) {
            if (!Take(slot)) return;
        }
        if (walked) return;
        WalkItem item;
        if (walker_.Next(item)) {
            pages_.Push(Sort(std::move(item)));
        } else {
            walked = true;
        }
    }
}

WalkSlot SitemapRun::Sort(WalkItem item) {
    WalkSlot slot;
    if (item.kind == WalkItemKind::Folder && !plan_.settings.options.subfolders) {
        walker_.SkipCurrentFolder();
        slot.leftOut = LeftOutReason::SubfoldersOff;
    } else if (item.kind == WalkItemKind::File) {
        slot.leftOut = SelectByName(item.entry.name, plan_.settings.options, plan_.extensions);
        if (!slot.leftOut && plan_.rules && plan_.rules->skipErrorPages &&
            IsErrorPage(*item.folderPath, item.entry.name, plan_.rules->indexNames)) {
            slot.leftOut = LeftOutReason::ErrorPage;
        }
        if (!slot.leftOut && IsOwnFile(plan_.ownFiles, *item.folder, item.entry.name)) {
            slot.leftOut = LeftOutReason::Output;
        }
        slot.candidate = !slot.leftOut;
    }
    slot.item = std::move(item);
    return slot;
}

bool SitemapRun::Take(WalkSlot& slot) {
    const WalkItem& item = slot.item;
    if (IsListingEntry(item)) {
        ports_.progress.Pump();
        if (showsProgress_ && ports_.progress.IsCancelled()) {
            cancelled_ = true;
            return false;
        }
        if (written_.Failed()) return false;
    }
    switch (item.kind) {
    case WalkItemKind::File: return TakeFile(slot);
    case WalkItemKind::Folder:
        if (slot.leftOut) Report(item, *slot.leftOut);
        break;
    case WalkItemKind::LeftOut:
        if (item.entry.type == platform::EntryType::Folder) {
            Report(item, item.reason, item.pattern ? item.pattern->Text() : String());
        } else {
            LeaveOutFile(item, item.reason, item.pattern ? item.pattern->Text() : String());
        }
        break;
    case WalkItemKind::Error:
        if (item.Path().IsEmpty()) {
            folderError_ = item.error;
        } else {
            Report(item, LeftOutReason::Unlistable, platform::Describe(item.error));
        }
        break;
    case WalkItemKind::FolderDone:
        if (showsProgress_) {
            ports_.progress.SetTitle(String(RunMessage::kWorking) + u" (" + String::FromInt(count_) + u" files found)");
        }
        break;
    }
    return true;
}

bool SitemapRun::TakeFile(const WalkSlot& slot) {
    const WalkItem& item = slot.item;
    if (slot.leftOut) {
        LeaveOutFile(item, *slot.leftOut);
        return true;
    }
    if (const auto reason = ReasonOf(slot.facts.verdict)) {
        LeaveOutFile(item, *reason, slot.facts.error ? platform::Describe(*slot.facts.error) : String());
        return true;
    }
    SitemapEntry entry;
    if (const auto reason = entries_.Locate(item.folderPath, item.entry.name, entry.location)) {
        Report(item, *reason);
        return true;
    }
    const String own = chains_ ? entry.location : String();
    if (const auto verdict = steps_.Apply(item, slot.facts, entry, ports_.leftOut)) {
        Report(item, verdict->reason, verdict->detail);
        // Left out at the location its canonical link names, it stands for that location.
        if (chains_) chains_->LeftOut(own, item.Path(), entry.location == own ? String() : entry.location);
        return true;
    }
    std::optional<Adjustment> adjustment;
    entry.lastmod = lastmods_.Decide({item.folderPath, item.entry.name, slot.facts}, entry.location, adjustment);
    if (!lastmods_.Stopped().IsEmpty()) return false;
    if (chains_) {
        chains_->Take({std::move(entry), item.Path(), own, adjustment});
    } else {
        Keep(std::move(entry), item.Path(), adjustment, std::nullopt);
    }
    return true;
}

void SitemapRun::LeaveOutFile(const WalkItem& item, LeftOutReason reason, const String& detail) {
    Report(item, reason, detail);
    String own;
    if (chains_ && IsRuleReason(reason) && TakesExtension(item.entry.name) &&
        !entries_.Locate(item.folderPath, item.entry.name, own)) {
        chains_->LeftOut(own, item.Path());
    }
}

bool SitemapRun::TakesExtension(const String& name) const {
    const auto extension = FileExtension(name, platform::kNativePathStyle);
    return extension && plan_.extensions.Contains(*extension);
}

bool SitemapRun::MayBePage(std::u16string_view location) const {
    // A file's location holds no query; a folder's ends in '/' unless the rules say never.
    if (location.find(u'?') != std::u16string_view::npos) return false;
    const PageRules& rules = *plan_.rules;
    const bool drops = !rules.droppedExtensions.Items().empty();
    const std::u16string_view name = location.substr(location.rfind(u'/') + 1);
    if (name.empty()) return rules.folderUrls || (drops && rules.trailingSlash == TrailingSlash::Always);
    return drops || TakesExtension(String(name)) || (rules.folderUrls && rules.trailingSlash == TrailingSlash::Never);
}

void SitemapRun::Keep(SitemapEntry entry, const String& path, std::optional<Adjustment> adjustment,
                      std::optional<std::size_t> slot) {
    if (merge_) {
        if (const auto first = merge_->Add(std::move(entry), path, slot)) {
            return LeaveOut(path, LeftOutReason::SameUrl, *first);
        }
    }
    if (adjustment && ports_.leftOut) ports_.leftOut->Adjusted(path, *adjustment);
    ++count_;
    if (!merge_) written_.Add(entry);
}

void SitemapRun::LeaveOut(const String& path, LeftOutReason reason, const String& detail) {
    if (ports_.leftOut) ports_.leftOut->LeftOut(path, false, reason, detail);
}

void SitemapRun::Ignore(const String& path, const LinkNote& note) {
    if (ports_.leftOut) ports_.leftOut->LinkIgnored(path, note);
}

void SitemapRun::Report(const WalkItem& item, LeftOutReason reason, const String& detail) {
    if (ports_.leftOut)
        ports_.leftOut->LeftOut(item.Path(), item.entry.type == platform::EntryType::Folder, reason, detail);
}

}  // namespace linkloom
