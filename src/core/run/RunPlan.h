#pragma once

#include <optional>
#include <vector>

#include "core/lastmod/LastmodRecord.h"
#include "core/lastmod/LastmodSource.h"
#include "core/model/RunSettings.h"
#include "core/rules/PageRules.h"
#include "core/walk/NameList.h"
#include "core/walk/OwnFiles.h"
#include "core/walk/PathPattern.h"

namespace linkloom {

// Everything a run needs to know, settled by its front end before the walk and read only during it.
struct RunPlan {
    explicit RunPlan(RunSettings accepted) : settings(std::move(accepted)) {
        extensions.Parse(settings.extensions, u',');
    }

    RunSettings settings;
    // The settings' extension list, parsed.
    NameList extensions;
    // The rules for the pages kept and their locations, robots.txt read already; none for the
    // desktop program's run.
    std::optional<PageRules> rules;
    // Paths the walk leaves out.
    std::vector<PathPattern> exclusions;
    // The files the run writes, which are never pages of the site.
    std::vector<OwnFile> ownFiles;
    // Where each page's lastmod comes from, in the order they are asked.
    LastmodOrder lastmod = {LastmodSourceKind::Mtime};
    // What git dates do with a file whose last commit in a shallow clone is one of its oldest.
    ShallowPolicy shallow = ShallowPolicy::Next;
    // What earlier runs published, kept and told of this run's entries; null for none.
    LastmodRecord* record = nullptr;
    // Whether a warning says when most entries share one date (SharedLastmods).
    bool tellsSharedDates = false;
    // How many threads read pages ahead of the walk; 1 reads each page on the run's own thread.
    int pageReaders = 1;
};

}  // namespace linkloom
