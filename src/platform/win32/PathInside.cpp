#include "platform/PathInside.h"

#include "platform/TextCompare.h"
#include "platform/win32/ExtendedPath.h"

namespace linkloom::platform {

std::optional<String> PathInside(const String& folder, const String& path) {
    String top = ExtendedPath(folder);
    const String full = ExtendedPath(path);
    if (top.Last() != u'\\') top += u'\\';
    if (full.Length() <= top.Length() || full.Last() == u'\\' || CompareNoCase(full.Left(top.Length()), top) != 0) {
        return std::nullopt;
    }
    std::u16string relative = full.Mid(top.Length()).Text();
    for (char16_t& unit : relative) {
        if (unit == u'\\') unit = u'/';
    }
    return String(std::move(relative));
}

}  // namespace linkloom::platform
