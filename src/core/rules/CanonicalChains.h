#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "base/HashIndex.h"
#include "base/String.h"
#include "core/model/LinkNote.h"
#include "core/model/WalkReport.h"
#include "core/rules/EntrySpool.h"
#include "core/rules/RecordSpool.h"
#include "core/rules/SameUrlMerge.h"
#include "core/sitemap/SitemapEntry.h"

namespace linkloom {

// Follows the canonical links of a run's pages from page to page, in walk order and without a
// second walk, so that a page is listed where its chain of canonical links ends: at the first
// location whose page names no other, or that no page of the walk has. A page whose chain ends
// at a page the run left out is left out too. The links of a cycle, and of a chain longer than
// kMostLinks, are ignored and their pages listed at their own locations. A page whose chain
// meets a location where a page the walk has not reached yet may stand waits for it in a slot of
// the merge, so the order of entries stays the walk's. Like the merge, it holds in memory only
// hashes and positions: the locations met and the pages that wait are in scratch files.
class CanonicalChains {
public:
    static constexpr int kMostLinks = 8;

    // What becomes of the pages.
    class Outlet {
    public:
        virtual ~Outlet() = default;
        // The page at `path` is listed with `entry`, in `slot` of the merge when it waited.
        virtual void Keep(SitemapEntry entry, const String& path, std::optional<Adjustment> adjustment,
                          std::optional<std::size_t> slot) = 0;
        virtual void LeaveOut(const String& path, LeftOutReason reason, const String& detail) = 0;
        virtual void Ignore(const String& path, const LinkNote& note) = 0;
    };

    struct Page {
        SitemapEntry entry;  // its location is the one its canonical link names, or its own
        String path;
        String own;  // its own location
        std::optional<Adjustment> adjustment;
    };

    // True when a page of the walk may be listed at the location.
    using PageTest = std::function<bool(std::u16string_view location)>;

    CanonicalChains(SameUrlMerge& merge, Outlet& outlet, PageTest mayBePage)
        : merge_(merge), outlet_(outlet), mayBePage_(std::move(mayBePage)) {}

    // A kept page, once its steps and lastmod are done.
    void Take(Page page);
    // A page the run left out, at its own location `own`; `named` is the location its canonical
    // link names when a step left it out there.
    void LeftOut(const String& own, const String& path, const String& named = String());
    // The walk has ended: pages still waiting are listed where their chains stop.
    void End();

private:
    enum class Kind : std::uint8_t { Kept, Names, LeftOut };
    // A location met: its record in `texts_` holds the location, then the location it names or
    // the path of the page left out there.
    struct Known {
        std::uint64_t at : 61;
        std::uint64_t kind : 2;
        std::uint64_t inCycle : 1;
    };
    struct Waiting {
        std::size_t slot;
        std::uint32_t own;                // the page's own location, met
        std::uint64_t page = kNotParked;  // its entry and path in `parked_`
        std::optional<Adjustment> adjustment;
    };
    static constexpr std::uint64_t kNotParked = ~std::uint64_t{0};

    // The location met first at `location`, with a record of it; a kept page takes the place of
    // one left out.
    std::uint32_t Meet(const String& location, Kind kind, const String& detail);
    // The location met at `location`, when one was.
    std::optional<std::uint32_t> Find(std::u16string_view location);
    String Detail(std::uint32_t known) const;
    // Hands on the pages that wait for `location`, which a page now stands at.
    void Wake(const String& location);
    // Follows the page's chain and settles the page, unless it meets a location not known yet
    // before the walk has `ended`: the hash of that location is returned.
    std::optional<std::uint64_t> Follow(const Waiting& waiting, SitemapEntry& entry, const String& path, bool ended);
    // Follows a parked page again, and parks it once more when it must wait.
    void Refollow(Waiting& waiting, bool ended);
    // Marks the locations of the chain from `start` when it comes back to `start`.
    void MarkCycle(std::uint32_t start);

    SameUrlMerge& merge_;
    Outlet& outlet_;
    PageTest mayBePage_;
    RecordSpool texts_;
    std::vector<Known> known_;
    HashIndex<std::uint32_t> knownAt_;  // by the hash of their location
    EntrySpool parked_;
    // By the hash of the location they wait for; pages woken by another location of that hash
    // only wait again.
    std::unordered_map<std::uint64_t, std::vector<Waiting>> waiting_;
};

}  // namespace linkloom
