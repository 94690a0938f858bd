#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "base/String.h"

namespace linkloom {

// What git knows of the files under a folder: the committer time of the last commit that changed
// each, and which have changes not committed yet. Read with one `git log` for the whole history
// of the folder and one `git status`, run side by side.
class GitHistory {
public:
    enum class State {
        Read,         // the dates are known
        NoGit,        // no git program on the PATH
        NotWorkTree,  // the folder is not in a git work tree
        Failed,       // git could not read the history
    };

    // Runs git, found on the PATH, on the work tree that holds `folder`. Set `abandon` to stop it
    // early; the history then counts as failed.
    static GitHistory Read(const String& folder, const std::atomic<bool>& abandon);

    State Outcome() const { return state_; }
    // Git's own words when it failed, or why it could not be started.
    const String& Reason() const { return reason_; }
    // True when the clone holds only the newest part of the history.
    bool Shallow() const { return shallow_; }
    // The committer time (seconds since 1970) for the file at `path` (relative to the folder, '/'
    // between names, UTF-8); nothing when the file was never committed or has changed since.
    std::optional<std::int64_t> DateOf(const std::string& path) const;

private:
    State state_ = State::Failed;
    String reason_;
    bool shallow_ = false;
    std::unordered_map<std::string, std::int64_t> dates_;
    std::unordered_set<std::string> changed_;
};

}  // namespace linkloom
