#pragma once

#include <optional>

#include "cli/output/SitemapSet.h"
#include "cli/state/PendingUrls.h"
#include "cli/state/StateRecord.h"

namespace linkloom::cli {

// The record that --state names, when it does: read before the run and handed to its plan;
// switched in with the output files, both or neither, or written after a document that goes
// elsewhere. So are the list of changed URLs that --changes names and, with --indexnow, the URLs
// still to be submitted, in the same change.
class StateFile {
public:
    // A record at `path`, if any, whose hashes are to be of `kind`.
    StateFile(const std::optional<String>& path, PageHashKind kind) : path_(path), record_(kind) {}
    // Before Load: the URLs that changed since the record are kept (for --indexnow), and written
    // to `changesFile` when it names a file.
    void TrackChanges(const std::optional<String>& changesFile);
    // Before Load, after TrackChanges: the URLs not yet submitted are kept beside the record, and
    // this run's changes join them.
    void KeepPending();

    // Reads the record; false, with the message shown, when the file is not a record.
    bool Load();
    // The record read; null without --state.
    LastmodRecord* Record() { return path_ ? &record_ : nullptr; }
    // The URLs that changed since the record; null unless tracked.
    UrlChanges* Changes() { return changes_ ? &*changes_ : nullptr; }
    // Once the record is written, the URLs to submit: those kept from earlier runs, then this
    // run's changes; empty unless kept.
    const std::vector<UrlChanges::Change>& Pending() const;
    // The first `count` of those were accepted: the rest are kept for the next run. False, with
    // the message shown, when the list cannot be written.
    bool Submitted(std::size_t count);
    // What switches the record in with a set of output files; empty without --state.
    SitemapSet::Companion Companion();
    // Writes this run's record unless the output files took it; false, with the message shown,
    // when it cannot be.
    bool Save();

private:
    // Makes the record's file, and the changes file and the pending list if any, in `change`; a
    // failure names the file it was making.
    std::optional<platform::SystemError> Stage(FileSetTransaction& change);

    const std::optional<String>& path_;
    StateRecord record_;
    std::optional<UrlChanges> changes_;
    std::optional<String> changesFile_;
    std::optional<PendingUrls> pending_;
    bool staged_ = false;
};

}  // namespace linkloom::cli
