#pragma once

#include <memory>
#include <optional>

#include "base/String.h"
#include "core/model/SitemapLimits.h"
#include "core/model/WalkReport.h"
#include "core/sitemap/SitemapEntry.h"
#include "core/url/LocationNaming.h"

namespace linkloom {

// Gives a kept file its location: the root URL followed by the file's path, each name
// percent-encoded (the file's own as `names` writes it).
class LocationBuilder {
public:
    explicit LocationBuilder(String rootUrl, LocationNaming names = LocationNaming());

    // The location of the file `name` in the folder at `folderPath` (relative, '/' after each
    // name); the reason it is left out instead, when there is one.
    std::optional<LeftOutReason> Locate(const std::shared_ptr<const String>& folderPath, const String& name,
                                        String& location);

private:
    // The URL of a folder, kept while files of the same folder follow one another.
    const String& FolderUrl(const std::shared_ptr<const String>& folderPath);

    String rootUrl_;
    LocationNaming names_;
    std::shared_ptr<const String> urlFolder_;
    String url_;
};

}  // namespace linkloom
