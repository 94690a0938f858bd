#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/lastmod/PathNumbers.h"
#include "platform/Directory.h"

namespace linkloom {

// What git's index (versions 2 to 4) records of the files under a folder: the last-write time
// each had when git last looked at it. A file whose time is still that has not changed since,
// as git itself would judge it before re-reading the file; an entry git would have to re-read
// (written as late as the index itself, unmerged, or flagged as not to be looked at) is left out.
class GitIndex {
public:
    // The index's bytes, as written at `indexWritten`; `prefix` is the folder's path in the work
    // tree ('/' at its end, or empty), `hashSize` the bytes of an object name. Nothing when the
    // bytes are not an index this reads.
    static std::optional<GitIndex> Parse(std::string_view bytes, const std::string& prefix, std::size_t hashSize,
                                         platform::FileTime indexWritten);

    // True when the file at `path` (relative to the folder) is recorded and still has the time
    // and size of `stamp`.
    bool Unchanged(std::string_view path, const platform::FileStamp& stamp) const;
    // The id of the tree the whole index makes (hex), as git's cache of tree ids holds it; empty
    // when it holds none. The same as the commit's tree, nothing is staged.
    const std::string& WholeTree() const { return wholeTree_; }

private:
    PathNumbers paths_;
    std::vector<platform::FileStamp> recorded_;  // by the path's number
    std::string wholeTree_;
};

}  // namespace linkloom
