#include "core/EntryStep.h"

#include "core/UrlText.h"

namespace linkloom {

EntryStep::EntryStep(String rootUrl, bool withTime, std::int64_t utcOffsetSeconds, CleanUrls names)
    : rootUrl_(std::move(rootUrl)), names_(std::move(names)), withTime_(withTime), utcOffset_(utcOffsetSeconds) {}

const String& EntryStep::FolderUrl(const std::shared_ptr<const String>& folderPath) {
    if (folderPath == urlFolder_) return url_;
    urlFolder_ = folderPath;
    const std::u16string& path = folderPath->Text();
    std::u16string url = rootUrl_.Text();
    for (std::size_t start = 0, slash; (slash = path.find(u'/', start)) != std::u16string::npos; start = slash + 1) {
        AppendUrlSegment(url, String(path.substr(start, slash - start)));
        url += u'/';
    }
    url_ = String(std::move(url));
    return url_;
}

std::optional<LeftOutReason> EntryStep::Make(const std::shared_ptr<const String>& folderPath, const String& name,
                                             platform::FileTime written, SitemapEntry& entry,
                                             std::optional<Adjustment>& adjustment) {
    std::u16string location = FolderUrl(folderPath).Text();
    names_.AppendName(location, name);
    entry.location = String(std::move(location));
    if (entry.location.Length() > kMostLocationLength) return LeftOutReason::UrlTooLong;
    // Files written in the same second share their text, so runs of them format it once.
    const platform::FileTime second = written / 10000000ULL;
    if (lastmod_.IsEmpty() || second != lastTime_) {
        lastTime_ = second;
        lastmod_ = LastmodText(written, withTime_, utcOffset_);
        // File times stop at 1601 on every system: a time of 0 stands for one from before.
        lastClamped_ = written == 0 || LastmodClamped(written, utcOffset_);
    }
    entry.lastmod = lastmod_;
    if (lastClamped_) adjustment = Adjustment::TimeOutOfRange;
    return std::nullopt;
}

}  // namespace linkloom
