#include "core/url/LocationNaming.h"

#include "base/PathText.h"
#include "core/rules/PageRules.h"
#include "core/url/UrlText.h"
#include "platform/NativePath.h"

namespace linkloom {

LocationNaming::LocationNaming(const PageRules* rules) {
    if (!rules) return;
    if (rules->folderUrls) indexNames_ = &rules->indexNames;
    if (!rules->droppedExtensions.Items().empty()) dropped_ = &rules->droppedExtensions;
    trailing_ = rules->trailingSlash;
}

void LocationNaming::AppendName(std::u16string& location, const String& name, bool inTop) const {
    if (indexNames_ && indexNames_->Contains(name)) {
        if (trailing_ == TrailingSlash::Never && !inTop) location.pop_back();
        return;
    }
    if (dropped_) {
        const auto extension = FileExtension(name, platform::kNativePathStyle);
        // A name that is all extension keeps it: without, it would be its folder's URL.
        if (extension && dropped_->Contains(*extension) && extension->Length() + 1 < name.Length()) {
            AppendUrlSegment(location, name.Left(name.Length() - extension->Length() - 1));
            if (trailing_ == TrailingSlash::Always) location += u'/';
            return;
        }
    }
    AppendUrlSegment(location, name);
}

}  // namespace linkloom
