#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "base/String.h"
#include "core/CleanUrls.h"
#include "core/SitemapEntry.h"
#include "core/WalkReport.h"
#include "platform/Directory.h"

namespace linkloom {

// The longest location a sitemap may hold.
constexpr std::size_t kMostLocationLength = 2048;

// Turns a kept file into its entry: the location is the root URL followed by the file's path,
// each name percent-encoded (the file's own as `names` writes it); the lastmod is its last-write
// time in local time.
class EntryStep {
public:
    EntryStep(String rootUrl, bool withTime, std::int64_t utcOffsetSeconds, CleanUrls names = CleanUrls());

    // The entry of the file `name` in the folder at `folderPath` (relative, '/' after each name),
    // and in `adjustment` what was written otherwise than the file gave it; the reason it is left
    // out instead, when there is one.
    std::optional<LeftOutReason> Make(const std::shared_ptr<const String>& folderPath, const String& name,
                                      platform::FileTime written, SitemapEntry& entry,
                                      std::optional<Adjustment>& adjustment);

private:
    // The URL of a folder, kept while files of the same folder follow one another.
    const String& FolderUrl(const std::shared_ptr<const String>& folderPath);

    String rootUrl_;
    CleanUrls names_;
    bool withTime_;
    std::int64_t utcOffset_;
    std::shared_ptr<const String> urlFolder_;
    String url_;
    platform::FileTime lastTime_ = 0;
    String lastmod_;
    bool lastClamped_ = false;
};

}  // namespace linkloom
