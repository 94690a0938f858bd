#include "core/run/SitemapWalk.h"

#include "core/model/JobMessages.h"
#include "base/PathText.h"
#include "core/walk/NameSelection.h"
#include "platform/NativePath.h"

namespace linkloom {

namespace {

// Items that stand for an entry of a listing; the host's events are handled before each.
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
    case LeftOutReason::Excluded: return true;
    default: break;
    }
    return false;
}

}  // namespace

SitemapWalk::SitemapWalk(JobHost& host, bool showsProgress, const JobSettings& settings, EntrySink& sink,
                         RunClock clock)
    : host_(host),
      showsProgress_(showsProgress),
      rules_(host.Rules(settings)),
      flags_(settings.flags),
      sink_(sink),
      report_(host.Report()),
      walker_(settings.folder, host.Exclusions()),
      entries_(settings.rootUrl, LocationNaming(rules_)),
      lastmods_(host, settings, clock),
      pages_(settings.flags, (rules_ ? rules_->Needs(host.Needs()) : host.Needs()) | lastmods_.Needs(),
             host.PageReaders()),
      steps_(rules_, settings.rootUrl) {
    extensions_.Parse(settings.extensions, u',');
    if (rules_ && rules_->MergesLocations()) merge_.emplace();
    if (rules_ && rules_->canonical) {
        chains_.emplace(*merge_, static_cast<CanonicalChains::Outlet&>(*this),
                        [this](std::u16string_view location) { return MayBePage(location); });
    }
}

void SitemapWalk::Run() {
    Walk();
    if (chains_) chains_->End();
    if (merge_) merge_->Flush(sink_);
    for (const String& text : steps_.Closing()) host_.ShowMessage(text, MessageStyle::Warning);
}

void SitemapWalk::Walk() {
    bool walked = false;
    for (;;) {
        WalkSlot slot;
        while (pages_.Pop(slot, walked || pages_.Full())) {
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

WalkSlot SitemapWalk::Sort(WalkItem item) {
    WalkSlot slot;
    if (item.kind == WalkItemKind::Folder && !(flags_ & JobFlag::Subfolders)) {
        walker_.SkipCurrentFolder();
        slot.leftOut = LeftOutReason::SubfoldersOff;
    } else if (item.kind == WalkItemKind::File) {
        slot.leftOut = SelectByName(item.entry.name, flags_, extensions_);
        slot.candidate = !slot.leftOut;
    }
    slot.item = std::move(item);
    return slot;
}

bool SitemapWalk::Take(WalkSlot& slot) {
    const WalkItem& item = slot.item;
    if (IsListingEntry(item)) {
        host_.PumpEvents();
        if (showsProgress_ && host_.IsCancelled()) {
            cancelled_ = true;
            return false;
        }
        if (sink_.Failed()) return false;
    }
    switch (item.kind) {
    case WalkItemKind::File:
        TakeFile(slot);
        break;
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
            host_.SetProgressTitle(String(JobMessage::kWorking) + u" (" + String::FromInt(count_) + u" files found)");
        }
        break;
    }
    return true;
}

void SitemapWalk::TakeFile(const WalkSlot& slot) {
    const WalkItem& item = slot.item;
    if (slot.leftOut) return LeaveOutFile(item, *slot.leftOut);
    if (const auto reason = ReasonOf(slot.facts.verdict)) {
        return LeaveOutFile(item, *reason, slot.facts.failed ? platform::Describe(slot.facts.error) : String());
    }
    SitemapEntry entry;
    if (const auto reason = entries_.Locate(item.folderPath, item.entry.name, entry.location)) {
        return Report(item, *reason);
    }
    const String own = chains_ ? entry.location : String();
    if (const auto verdict = steps_.Apply(item, slot.facts, entry, report_)) {
        Report(item, verdict->reason, verdict->detail);
        // Left out at the location its canonical link names, it stands for that location.
        if (chains_) chains_->LeftOut(own, item.Path(), entry.location == own ? String() : entry.location);
        return;
    }
    std::optional<Adjustment> adjustment;
    entry.lastmod = lastmods_.Decide({item.folderPath, item.entry.name, slot.facts}, entry.location, adjustment);
    if (chains_) return chains_->Take({std::move(entry), item.Path(), own, adjustment});
    Keep(std::move(entry), item.Path(), adjustment, std::nullopt);
}

void SitemapWalk::LeaveOutFile(const WalkItem& item, LeftOutReason reason, const String& detail) {
    Report(item, reason, detail);
    String own;
    if (chains_ && IsRuleReason(reason) && TakesExtension(item.entry.name) &&
        !entries_.Locate(item.folderPath, item.entry.name, own)) {
        chains_->LeftOut(own, item.Path());
    }
}

bool SitemapWalk::TakesExtension(const String& name) const {
    const auto extension = FileExtension(name, platform::kNativePathStyle);
    return extension && extensions_.Contains(*extension);
}

bool SitemapWalk::MayBePage(std::u16string_view location) const {
    // A file's location holds no query; a folder's ends in '/'.
    if (location.find(u'?') != std::u16string_view::npos) return false;
    const std::u16string_view name = location.substr(location.rfind(u'/') + 1);
    if (name.empty()) return rules_->folderUrls;
    return !rules_->droppedExtensions.IsEmpty() || TakesExtension(String(name));
}

void SitemapWalk::Keep(SitemapEntry entry, const String& path, std::optional<Adjustment> adjustment,
                       std::optional<std::size_t> slot) {
    if (merge_) {
        const String* first = merge_->Add(std::move(entry), path, slot);
        if (first) return LeaveOut(path, LeftOutReason::SameUrl, *first);
    }
    if (adjustment && report_) report_->Adjusted(path, *adjustment);
    ++count_;
    if (!merge_) sink_.Add(entry);
}

void SitemapWalk::LeaveOut(const String& path, LeftOutReason reason, const String& detail) {
    if (report_) report_->LeftOut(path, false, reason, detail);
}

void SitemapWalk::Ignore(const String& path, const LinkNote& note) {
    if (report_) report_->LinkIgnored(path, note);
}

void SitemapWalk::Report(const WalkItem& item, LeftOutReason reason, const String& detail) {
    if (report_) report_->LeftOut(item.Path(), item.entry.type == platform::EntryType::Folder, reason, detail);
}

}  // namespace linkloom
