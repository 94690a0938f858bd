#include "base/PathText.h"

namespace linkloom {

char16_t PathSeparator(PathStyle style) { return style == PathStyle::Windows ? u'\\' : u'/'; }

int LongPrefixKind(const String& text) {
    if (text.Length() < 5 || text[0] != u'\\' || text[1] != u'\\' || text[2] != u'?') return kNoLongPrefix;
    if (text.Length() > 5 && text[5] == u':') return kDriveLongPrefix;
    return text[4] == u'U' || text[4] == u'u' ? kNetworkLongPrefix : kNoLongPrefix;
}

bool AddLongPrefix(String& path) {
    if (path.Length() < 3) return false;
    path = path[0] == u'\\' ? String(u"\\\\?\\UNC\\") + path.Mid(2) : String(u"\\\\?\\") + path;
    return true;
}

String StripLongPrefix(const String& path, int kind) {
    switch (kind < 0 ? LongPrefixKind(path) : kind) {
    case kDriveLongPrefix: return path.Mid(4);
    case kNetworkLongPrefix: return String(u"\\") + path.Mid(7);
    default: return path;
    }
}

String JoinPath(const String& directory, const String& name, bool longPaths, PathStyle style) {
    if (directory.IsEmpty()) return name;
    const char16_t separator = PathSeparator(style);
    String joined = directory.EndsWith(separator) ? directory + name : directory + separator + name;
    if (!longPaths || style != PathStyle::Windows || joined.Length() < kLongPathThreshold ||
        HasLongPathPrefix(directory)) {
        return joined;
    }
    AddLongPrefix(joined);
    return joined;
}

bool IsRelativePath(const String& path, PathStyle style) {
    if (path.IsEmpty()) return true;
    if (style == PathStyle::Posix) return path[0] != u'/';
    return path[0] != u'/' && path[0] != u'\\' && !(path.Length() > 1 && path[1] == u':');
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
