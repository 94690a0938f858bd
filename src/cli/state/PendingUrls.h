#pragma once

#include <cstddef>
#include <vector>

#include "base/String.h"
#include "cli/fileset/FileSetTransaction.h"
#include "cli/state/UrlChanges.h"

namespace linkloom::cli {

// The changed URLs that IndexNow has not accepted yet, kept beside the --state record in
// FILE.pending, a line each as --changes writes them. The list is written with the record, before
// anything is posted, so that a submission that fails or never ends leaves its URLs to the next
// run with --indexnow; the file goes once all are accepted.
class PendingUrls {
public:
    // The list beside the record at `statePath`.
    explicit PendingUrls(const String& statePath);

    // Reads the list; a missing file is an empty list. False with `error` set when the file is
    // there but is not such a list.
    bool Load(String& error);
    // This run's changes join the list after those kept from earlier runs; a URL kept already
    // stays in its place with its new mark.
    void Join(const std::vector<UrlChanges::Change>& changes);
    // Writes the list in `change`; nothing when it is empty and no file holds it.
    bool Stage(FileSetTransaction& change, String& error) const;
    // The first `count` URLs were accepted: the file keeps the rest, or goes when none is left.
    bool Accepted(std::size_t count, String& error);

    const std::vector<UrlChanges::Change>& Urls() const { return urls_; }
    const String& Path() const { return path_; }

private:
    String path_;
    std::vector<UrlChanges::Change> urls_;
    bool inFile_ = false;  // a file held the list when it was read or last written
};

}  // namespace linkloom::cli
