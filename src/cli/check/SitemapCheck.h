#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "base/String.h"
#include "cli/check/CheckFinding.h"
#include "cli/check/SiteListing.h"
#include "cli/output/SitemapXml.h"

namespace linkloom::cli {

// Reads a published sitemap (or an index and the parts beside it) and tells on standard error,
// one line each, where it breaks the protocol and where it differs from the site as a run would
// list it now. Every file is read with a bounded memory and size, and only the files named.
class SitemapCheck {
public:
    // `rootUrl` is the run's, `nowSeconds` the run's start (seconds since 1970).
    SitemapCheck(String rootUrl, std::int64_t nowSeconds, std::int64_t utcOffsetSeconds);

    // Reads the sitemap at `path` against `site`; the number of findings said.
    int Check(const String& path, SiteListing& site);
    // What was found, in the order said.
    const std::vector<CheckFinding>& Findings() const { return findings_; }

    // The texts are not kept: a check holds a pointer to the site it compares with.
    SitemapCheck(const SitemapCheck&) = delete;
    SitemapCheck& operator=(const SitemapCheck&) = delete;

private:
    // Reads one file; false when it could not be read whole.
    bool ReadFile(const String& path, bool isPart, SitemapXml::Root& root, std::vector<SitemapItem>* index);
    // False when the item's location is missing or broken; else `normal` is its normal form.
    bool CheckItem(const String& file, const SitemapItem& item, bool inIndex, std::string& normal);
    // Says the finding about `file`, at its line when not 0, and keeps it.
    void Say(CheckFinding finding);
    void Say(const String& file, std::uint64_t line, const char* kind, const std::string& text) {
        Say({file, line, kind, std::string(), text});
    }
    // A finding about the listed location `item`.
    void Say(const String& file, const SitemapItem& item, const char* kind, const std::string& text) {
        Say({file, item.line, kind, item.location, text});
    }
    // Compares a listed location with the site; what differs is told once the sitemap was read
    // whole, a location listed twice at once.
    void Compare(const String& file, const SitemapItem& item, const std::string& normal);

    String rootUrl_;
    std::string rootNormal_;  // in normal form, as locations are compared
    std::int64_t now_;
    std::int64_t utcOffset_;
    std::vector<CheckFinding> findings_;
    int entries_ = 0;  // of the file being read
    SiteListing* site_ = nullptr;
    std::vector<CheckFinding> differences_;
    std::unordered_set<std::string> extras_;  // in normal form, to tell a repeated one
};

}  // namespace linkloom::cli
