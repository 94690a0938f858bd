#include "base/PathText.h"

namespace linkloom {

char16_t PathSeparator(PathStyle style) { return style == PathStyle::Windows ? u'\\' : u'/'; }

bool HasLongPathPrefix(const String& path) {
    if (path.Length() < 5 || path[0] != u'\\' || path[1] != u'\\' || path[2] != u'?') return false;
    return (path.Length() > 5 && path[5] == u':') || path[4] == u'U' || path[4] == u'u';
}

String JoinPath(const String& directory, const String& name, bool longPaths, PathStyle style) {
    if (directory.IsEmpty()) return name;
    const char16_t separator = PathSeparator(style);
    String joined = directory.EndsWith(separator) ? directory + name : directory + separator + name;
    if (!longPaths || style != PathStyle::Windows || joined.Length() < kLongPathThreshold ||
        HasLongPathPrefix(directory)) {
        return joined;
    }
    if (joined[0] == u'\\') return String(u"\\\\?\\UNC\\") + joined.Mid(2);
    return String(u"\\\\?\\") + joined;
}

std::optional<String> FileExtension(const String& nameOrPath, PathStyle style) {
    const char16_t separator = PathSeparator(style);
    for (std::size_t i = nameOrPath.Length(); i > 0; --i) {
        const char16_t unit = nameOrPath[i - 1];
        if (unit == separator) break;
        if (unit == u'.') return nameOrPath.Mid(i);
    }
    return std::nullopt;
}

}  // namespace linkloom
