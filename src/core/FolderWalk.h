#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "base/String.h"
#include "core/EntrySink.h"
#include "core/ExtensionList.h"
#include "core/JobFlags.h"
#include "core/JobHost.h"

namespace linkloom {

// Walks a folder depth-first in listing order and hands each selected file to the sink. Paths
// that match one of the host's exclusions are left out, folders without being entered; the
// host's report, if any, hears of everything left out.
// The walk keeps its levels on the heap, so the depth of a tree is limited only by memory, and
// it does not enter a directory link that leads back to a directory being walked.
class FolderWalk {
public:
    // `showsProgress` false: the host has no progress, so no cancel is asked and no title is set.
    FolderWalk(JobHost& host, bool showsProgress, JobFlags flags, const ExtensionList& extensions,
               EntrySink& sink, std::int64_t utcOffsetSeconds);

    // `directory` ends in a separator, `baseUrl` in '/'.
    void Run(const String& directory, const String& baseUrl);
    int Count() const { return count_; }

private:
    struct Level;
    std::optional<LeftOutReason> LeftOutBy(const Level& level, const String& name) const;
    // The path's first matching exclusion, or null.
    const PathPattern* Excluded(const String& path, bool isFolder) const;
    void Report(const String& path, bool isFolder, LeftOutReason reason, const PathPattern* pattern = nullptr);
    bool LeadsBack(const String& path, std::vector<std::unique_ptr<Level>>& levels) const;

    JobHost& host_;
    bool showsProgress_;
    JobFlags flags_;
    const ExtensionList& extensions_;
    EntrySink& sink_;
    std::int64_t utcOffset_;
    const std::vector<PathPattern>* exclusions_;
    WalkReport* report_;
    // Relative paths are built only when something needs them.
    bool tracksPaths_;
    int count_ = 0;
};

}  // namespace linkloom
