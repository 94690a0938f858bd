#pragma once

#include <memory>
#include <optional>

#include "base/String.h"
#include "core/CleanUrls.h"
#include "core/SitemapEntry.h"
#include "core/WalkReport.h"

namespace linkloom {

// The longest location a sitemap may hold.
constexpr std::size_t kMostLocationLength = 2048;

// Gives a kept file its location: the root URL followed by the file's path, each name
// percent-encoded (the file's own as `names` writes it).
class EntryStep {
public:
    explicit EntryStep(String rootUrl, CleanUrls names = CleanUrls());

    // The location of the file `name` in the folder at `folderPath` (relative, '/' after each
    // name); the reason it is left out instead, when there is one.
    std::optional<LeftOutReason> Locate(const std::shared_ptr<const String>& folderPath, const String& name,
                                        String& location);

private:
    // The URL of a folder, kept while files of the same folder follow one another.
    const String& FolderUrl(const std::shared_ptr<const String>& folderPath);

    String rootUrl_;
    CleanUrls names_;
    std::shared_ptr<const String> urlFolder_;
    String url_;
};

}  // namespace linkloom
