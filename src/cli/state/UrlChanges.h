#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/sitemap/SitemapEntry.h"

namespace linkloom::cli {

// What changed between the URLs the --state record holds and those a run lists: the ones that
// are new, those whose lastmod moved, in the order they are listed, then those the run no longer
// lists, in the record's order.
class UrlChanges {
public:
    enum class Mark : char { New = '+', Moved = '~', Gone = '-' };
    struct Change {
        Mark mark;
        std::string location;  // UTF-8
    };

    // A location of the record and the lastmod published for it (empty for none); of several
    // lines for one location, the newest lastmod counts, as it did in the merged entry.
    void Published(std::string_view location, std::string_view lastmod);
    // An entry the run writes; a location listed again is not a change again.
    void Listed(const SitemapEntry& entry);
    // The run has listed all: the locations not listed are gone.
    void Finish();

    const std::vector<Change>& Changes() const { return changes_; }
    int Count(Mark mark) const;
    // One line per change, its mark, a blank, and the location.
    std::string Text() const { return Lines(changes_); }
    static std::string Lines(const std::vector<Change>& changes);
    // "N new, N changed, N gone".
    std::string Summary() const;

private:
    struct Location {
        std::string lastmod;
        bool published = false;
        bool listed = false;
    };
    std::unordered_map<std::string, Location> locations_;
    // The record's locations in its order, pointing into `locations_`, whose keys stay in place.
    std::vector<const std::pair<const std::string, Location>*> publishedOrder_;
    std::vector<Change> changes_;
};

}  // namespace linkloom::cli
