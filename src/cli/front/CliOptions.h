#pragma once

#include <optional>
#include <vector>

#include "base/String.h"
#include "cli/output/SitemapForm.h"
#include "cli/report/ReportRequest.h"
#include "core/lastmod/PageHashKind.h"
#include "core/model/SelectionOptions.h"
#include "core/model/SitemapLimits.h"
#include "site/SiteRules.h"

namespace linkloom::cli {

struct CliOptions {
    String folder;
    String rootUrl;
    String extensions = u"htm,php";
    SelectionOptions selection;
    std::optional<String> output;
    // The URL at which crawlers find FILE, when it is served elsewhere than its path in FOLDER says.
    std::optional<String> sitemapUrl;
    // The record of what was published, kept across runs.
    std::optional<String> state;
    // Where the URLs that changed since the --state record are written.
    std::optional<String> changes;
    // The IndexNow key the changed URLs are submitted with, where they go, and the URL of the key
    // file when it is not KEY.txt at the root URL.
    std::optional<String> indexNowKey;
    String indexNowEndpoint = u"https://api.indexnow.org/indexnow";
    std::optional<String> indexNowKeyLocation;
    // What that record's hashes are of.
    PageHashKind stateHash = PageHashKind::Content;
    // The sitemap to check against the site instead of writing one.
    std::optional<String> check;
    // The settings file read, which the walk leaves out.
    std::optional<String> settingsFile;
    SitemapLimits limits;
    SitemapFormat format = SitemapFormat::Xml;
    // With --split-by section, the depth of the folders that make the sections.
    std::optional<int> sectionDepth;
    // The URL of the stylesheet every XML file names; the file our own is written to instead of a run.
    std::optional<String> stylesheet;
    std::optional<String> writeStylesheet;
    bool gzip = false;
    bool explain = false;
    // The reports written once the run has ended, in the order asked.
    std::vector<ReportRequest> reports;
    // Threads that read pages ahead of the walk; 1 reads them in turn, 0 one per processor.
    int jobs = 0;
    // The rules for the pages kept and their locations, the exclusions and the lastmod sources.
    SiteRules site;
    bool quiet = false;
    // Write a starter settings file for FOLDER instead of a sitemap.
    bool init = false;
    bool help = false;
    bool version = false;
};

// Reads the arguments (without the program name). False with `error` set on a usage error.
bool ParseOptions(const std::vector<String>& arguments, CliOptions& options, String& error);

}  // namespace linkloom::cli
