#include "core/walk/NameSelection.h"

#include "base/PathText.h"
#include "platform/NativePath.h"
#include "platform/TextCompare.h"

namespace linkloom {

std::optional<LeftOutReason> SelectByName(const String& name, const SelectionOptions& options,
                                          const NameList& extensions) {
    if (options.skipTemplateNames && platform::ContainsNoCase(name.Text(), u"template")) {
        return LeftOutReason::TemplateName;
    }
    const auto extension = FileExtension(name, platform::kNativePathStyle);
    if (!extension || !extensions.Contains(*extension)) return LeftOutReason::Extension;
    return std::nullopt;
}

}  // namespace linkloom
