#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/sitemap/EntrySink.h"

namespace linkloom::cli {

// A location in normal form (percent-encoding case, scheme and host case, default port), so that
// the spellings of one URL compare equal; as it is when it is no URI reference.
std::string NormalLocation(std::string_view location);

// The entries a run would write, in walk order, found by their location in normal form. A
// sitemap in step lists them in the same order, so each is first looked for after the last one
// found; only when that fails are they indexed by location.
class SiteListing : public EntrySink {
public:
    struct Page {
        std::string location;
        std::string normal;  // the location in normal form
        std::string lastmod;
        bool listed = false;  // the sitemap lists it
    };

    void Add(const SitemapEntry& entry) override;
    bool Failed() const override { return false; }

    // The page at the location whose normal form is `normal`; null when the run would not list it.
    Page* Find(std::string_view normal);
    const std::deque<Page>& Pages() const { return pages_; }

private:
    std::deque<Page> pages_;  // a deque, so the keys below stay where they are
    std::size_t next_ = 0;    // the page after the last one found
    std::unordered_map<std::string_view, std::size_t> byLocation_;
};

}  // namespace linkloom::cli
