#pragma once

#include <utility>
#include <vector>

#include "base/String.h"

namespace linkloom::cli {

// What a site's folder shows of the rules it wants, as a starter settings file suggests them.
struct SiteSurvey {
    // The page extensions found (in lower case) with their files' counts, the most first.
    std::vector<std::pair<String, int>> pageExtensions;
    // Folders that hold pages, and those of them that hold an index page.
    int pageFolders = 0;
    int indexFolders = 0;
    bool robotsTxt = false;
    bool gitWorkTree = false;
    // Pages whose heads were read, and those of them that name a canonical URL or alternates.
    int sampled = 0;
    int canonical = 0;
    int alternates = 0;
};

// The extensions a starter settings file looks for pages under.
const std::vector<String>& PageExtensions();

// Walks `folder` (a path ending in a separator), reading the heads of its first pages.
SiteSurvey SurveySite(const String& folder);

}  // namespace linkloom::cli
