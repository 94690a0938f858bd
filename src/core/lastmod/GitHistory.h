#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>

#include "base/String.h"
#include "core/lastmod/GitIndex.h"
#include "core/lastmod/GitOutput.h"
#include "platform/Directory.h"

namespace linkloom {

// What git knows of the files under a folder: the committer time of the last commit that changed
// each, as `git log -1 -- FILE` gives it, and which have changes not committed yet. The history
// is read with one `git log` (and one more over the merges), the staged changes with
// `git diff-index --cached` unless the index's cache of tree ids shows the commit's tree; whether a file changed since
// it was staged is judged from git's index and the file's own time, never by git, which would run the repository's
// filters.
class GitHistory {
public:
    enum class State {
        Read,         // the dates are known
        NoGit,        // no git program on the PATH
        NotWorkTree,  // the folder is not in a git work tree
        Failed,       // git could not read the history
        Stopped,      // a stop was asked for before git was done
    };

    // Runs git on the work tree that holds `folder`. Setting `abandon`, or a stop signal, ends
    // git at once.
    static GitHistory Read(const String& folder, const std::atomic<bool>& abandon);

    State Outcome() const { return state_; }
    // Git's own words when it failed, or why it could not be started.
    const String& Reason() const { return reason_; }
    // True when the clone holds only the newest part of the history.
    bool Shallow() const { return shallow_; }
    // The committer time; a file whose commit is a grafted one may have last changed long before.
    using FileDate = FileDates::Date;
    // The date of the file at `path` (relative to the folder, '/' between names, UTF-8) with the
    // time and size of `stamp`; nothing when the file was never committed or may have changed since.
    std::optional<FileDate> DateOf(const std::string& path, const platform::FileStamp& stamp) const;

private:
    State state_ = State::Failed;
    String reason_;
    bool shallow_ = false;
    FileDates dates_;
    std::unordered_set<std::string> staged_;
    std::optional<GitIndex> index_;
};

}  // namespace linkloom
