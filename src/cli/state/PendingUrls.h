#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "base/String.h"
#include "cli/fileset/FileSetTransaction.h"
#include "cli/state/UrlChanges.h"
#include "platform/SystemError.h"

namespace linkloom::cli {

// The changed URLs that IndexNow has not accepted yet, kept beside the --state record in
// FILE.pending, a line each as --changes writes them. The list is written with the record, before
// anything is posted, so that a submission that fails or never ends leaves its URLs to the next
// run with --indexnow; the file goes once all are accepted.
class PendingUrls {
public:
    // The list beside the record at `statePath`.
    explicit PendingUrls(const String& statePath);

    // Reads the list; a missing file is an empty list. A failure when the file is there but
    // cannot be read or is not such a list.
    std::optional<platform::SystemError> Load();
    // This run's changes join the list after those kept from earlier runs; a URL kept already
    // stays in its place with its new mark.
    void Join(const std::vector<UrlChanges::Change>& changes);
    // Writes the list in `change`; nothing when it is empty and no file holds it.
    std::optional<platform::SystemError> Stage(FileSetTransaction& change) const;
    // The first `count` URLs were accepted: the file keeps the rest, or goes when none is left.
    std::optional<platform::SystemError> Accepted(std::size_t count);

    const std::vector<UrlChanges::Change>& Urls() const { return urls_; }
    const String& Path() const { return path_; }

private:
    String path_;
    std::vector<UrlChanges::Change> urls_;
    bool inFile_ = false;  // a file held the list when it was read or last written
};

}  // namespace linkloom::cli
