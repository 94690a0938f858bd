#pragma once

#include <optional>

#include "core/lastmod/LastmodChooser.h"
#include "core/lastmod/SharedLastmods.h"
#include "core/page/PagePipeline.h"
#include "core/rules/CanonicalChains.h"
#include "core/rules/PageSteps.h"
#include "core/rules/SameUrlMerge.h"
#include "core/run/RunPlan.h"
#include "core/run/RunPorts.h"
#include "core/url/LocationBuilder.h"
#include "core/walk/FolderWalker.h"

namespace linkloom {

// How a run ended.
enum class RunEnd {
    Entries,           // at least one entry went to the sink, or the sink failed
    NothingMatched,    // the walk found nothing to list
    Cancelled,         // the user cancelled before the first entry
    FolderUnreadable,  // the folder exists but cannot be listed
    Stopped,           // a lastmod source stopped the run; the entries so far are not to be written
};

// One run of a plan: items from the walker, in walk order, through the selection steps (name
// and extension, then the page), the entry step and the rules' page steps into the sink.
// Between entries it lets the front end handle its events and stops when it cancels; it sets
// the progress title once per finished folder. When the rules let locations repeat, the entries
// are held and merged until the walk ends; canonical links are followed from page to page.
class SitemapRun : private CanonicalChains::Outlet {
public:
    // The plan and the ports outlive the run.
    SitemapRun(const RunPlan& plan, const RunPorts& ports);

    RunEnd Run();
    // The entries that went to the sink.
    int Count() const { return count_; }
    // The system's word for a folder that could not be listed.
    const std::optional<platform::SystemError>& FolderError() const { return folderError_; }
    // Why a lastmod source stopped the run.
    const String& StopReason() const { return lastmods_.Stopped(); }

private:
    void Walk();
    // The steps that need no page: what the walk left out, folders, names and extensions.
    WalkSlot Sort(WalkItem item);
    // Hands one slot to the steps after the page; false when the run stops here.
    bool Take(WalkSlot& slot);
    // False when a lastmod source stopped the run.
    bool TakeFile(const WalkSlot& slot);
    void Report(const WalkItem& item, LeftOutReason reason, const String& detail = String());
    // Reports a file left out, and tells the canonical chains of it when its reason is a rule's.
    void LeaveOutFile(const WalkItem& item, LeftOutReason reason, const String& detail = String());

    void Keep(SitemapEntry entry, const String& path, std::optional<Adjustment> adjustment,
              std::optional<std::size_t> slot) override;
    void LeaveOut(const String& path, LeftOutReason reason, const String& detail) override;
    void Ignore(const String& path, const LinkNote& note) override;
    // True when the name's extension is one the run lists.
    bool TakesExtension(const String& name) const;
    // True when a page of this run may be listed at `location`.
    bool MayBePage(std::u16string_view location) const;

    const RunPlan& plan_;
    RunPorts ports_;
    // The entries port, its dates counted.
    SharedLastmods written_;
    bool showsProgress_ = false;
    FolderWalker walker_;
    LocationBuilder entries_;
    LastmodChooser lastmods_;
    PagePipeline pages_;
    PageSteps steps_;
    std::optional<SameUrlMerge> merge_;
    std::optional<CanonicalChains> chains_;
    int count_ = 0;
    bool cancelled_ = false;
    std::optional<platform::SystemError> folderError_;
};

}  // namespace linkloom
