#pragma once

#include <cstdint>
#include <optional>

#include "core/sitemap/EntrySink.h"
#include "core/url/LocationBuilder.h"
#include "core/walk/NameList.h"
#include "core/walk/FolderWalker.h"
#include "core/run/JobHost.h"
#include "core/model/JobSettings.h"
#include "core/lastmod/LastmodChooser.h"
#include "core/page/PagePipeline.h"
#include "core/rules/PageSteps.h"
#include "core/rules/CanonicalChains.h"
#include "core/rules/SameUrlMerge.h"

namespace linkloom {

// The loop of one run: items from the walker, in walk order, through the selection steps (name
// and extension, then the page), the entry step and the host's own page steps into the sink.
// Between entries it lets the host handle its events and stops when the host cancels; it sets
// the progress title once per finished folder. When the host's rules let locations repeat, the
// entries are held and merged until the walk ends; canonical links are followed from page to page.
class SitemapWalk : private CanonicalChains::Outlet {
public:
    // `showsProgress` false: the host has no progress, so no cancel is asked and no title is set.
    SitemapWalk(JobHost& host, bool showsProgress, const JobSettings& settings, EntrySink& sink, RunClock clock);

    // Walks, then hands over what was held and says what the steps have to say.
    void Run();
    int Count() const { return count_; }
    bool Cancelled() const { return cancelled_; }
    // Set when the folder itself could not be listed.
    const std::optional<platform::SystemError>& FolderError() const { return folderError_; }

private:
    void Walk();
    // The steps that need no page: what the walk left out, folders, names and extensions.
    WalkSlot Sort(WalkItem item);
    // Hands one slot to the steps after the page; false when the run stops here.
    bool Take(WalkSlot& slot);
    void TakeFile(const WalkSlot& slot);
    void Report(const WalkItem& item, LeftOutReason reason, const String& detail = String());
    // Reports a file left out, and tells the canonical chains of it when its reason is a rule's.
    void LeaveOutFile(const WalkItem& item, LeftOutReason reason, const String& detail = String());

    void Keep(SitemapEntry entry, const String& path, std::optional<Adjustment> adjustment,
              std::optional<std::size_t> slot) override;
    void LeaveOut(const String& path, LeftOutReason reason, const String& detail) override;
    void Ignore(const String& path, const LinkNote& note) override;
    // True when the name's extension is one the run lists.
    bool TakesExtension(const String& name) const;
    // True when a page of this walk may be listed at `location`.
    bool MayBePage(std::u16string_view location) const;

    JobHost& host_;
    bool showsProgress_;
    const PageRules* rules_;
    JobFlags flags_;
    NameList extensions_;
    EntrySink& sink_;
    WalkReport* report_;
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
