#pragma once

#include <optional>
#include <vector>

#include "base/String.h"
#include "cli/output/SitemapForm.h"
#include "core/lastmod/LastmodSource.h"
#include "core/model/SelectionOptions.h"
#include "core/model/SitemapLimits.h"
#include "core/rules/PageRules.h"
#include "core/walk/PathPattern.h"

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
    // The sitemap to check against the site instead of writing one.
    std::optional<String> check;
    SitemapLimits limits;
    SitemapFormat format = SitemapFormat::Xml;
    // With --split-by section, the depth of the folders that make the sections.
    std::optional<int> sectionDepth;
    // The URL of the stylesheet every XML file names; the file our own is written to instead of a run.
    std::optional<String> stylesheet;
    std::optional<String> writeStylesheet;
    bool gzip = false;
    std::vector<PathPattern> exclusions;
    bool explain = false;
    // Where each lastmod comes from, in the order asked; empty for none at all.
    LastmodOrder lastmod = {LastmodSourceKind::Mtime};
    // Threads that read pages ahead of the walk; 1 reads them in turn, 0 one per processor.
    int jobs = 0;
    // The rules for the pages kept and their locations (--folder-urls ... --alternates), and
    // whether FOLDER's robots.txt is to be read into them.
    PageRules rules;
    bool robotsTxt = false;
    bool quiet = false;
    bool help = false;
    bool version = false;
};

// True when the options ask for any rule for the pages kept and their locations.
inline bool AsksPageRules(const CliOptions& options) {
    const PageRules& rules = options.rules;
    return options.robotsTxt || rules.folderUrls || !rules.droppedExtensions.Items().empty() || rules.canonical ||
           rules.robotsMeta || rules.alternates || rules.skipErrorPages || rules.skipRedirects || rules.images;
}

// Reads the arguments (without the program name). False with `error` set on a usage error.
bool ParseOptions(const std::vector<String>& arguments, CliOptions& options, String& error);

}  // namespace linkloom::cli
