#include "core/url/LocationBuilder.h"

#include "core/url/UrlText.h"

namespace linkloom {

LocationBuilder::LocationBuilder(String rootUrl, LocationNaming names)
    : rootUrl_(std::move(rootUrl)), names_(std::move(names)) {}

const String& LocationBuilder::FolderUrl(const std::shared_ptr<const String>& folderPath) {
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

std::optional<LeftOutReason> LocationBuilder::Locate(const std::shared_ptr<const String>& folderPath,
                                                     const String& name, String& location) {
    std::u16string text = FolderUrl(folderPath).Text();
    names_.AppendName(text, name, folderPath->IsEmpty());
    location = String(std::move(text));
    if (location.Length() > kMostLocationLength) return LeftOutReason::UrlTooLong;
    return std::nullopt;
}

}  // namespace linkloom
