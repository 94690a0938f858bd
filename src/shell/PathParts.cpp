#include "shell/PathParts.h"

#include "base/PathText.h"

namespace linkloom {

namespace {

std::ptrdiff_t LastBackslash(const String& path) {
    for (std::size_t i = path.Length(); i > 0; --i) {
        if (path[i - 1] == u'\\') return static_cast<std::ptrdiff_t>(i - 1);
    }
    return String::npos;
}

}  // namespace

String PathRoot(const String& path) {
    if (path.IsEmpty() || path[0] == u':') return {};
    const String bare = StripLongPrefix(path);
    String root;
    if (bare.Length() >= 2 && bare[1] == u':') {
        root = bare.Left(3);
    } else if (!bare.IsEmpty() && bare[0] == u'\\') {
        const std::ptrdiff_t serverEnd = bare.Find(u'\\', 2);
        if (serverEnd == String::npos) return {};
        const std::ptrdiff_t shareEnd = bare.Find(u'\\', static_cast<std::size_t>(serverEnd) + 1);
        root = shareEnd == String::npos ? bare : bare.Left(static_cast<std::size_t>(shareEnd) + 1);
    }
    if (!root.IsEmpty() && !root.EndsWith(u'\\')) root += u'\\';
    return root;
}

String DirectoryPart(const String& path) {
    const std::ptrdiff_t last = LastBackslash(path);
    return last == String::npos ? String() : path.Left(static_cast<std::size_t>(last) + 1);
}

String LastComponent(const String& path) {
    const std::ptrdiff_t last = LastBackslash(path);
    return last == String::npos ? path : path.Mid(static_cast<std::size_t>(last) + 1);
}

String ShortFormFor(const String& longPath, const String& shortPath) {
    const std::optional<String> extension = FileExtension(longPath, PathStyle::Windows);
    if (extension && extension->Length() > 3) {
        return JoinPath(DirectoryPart(shortPath), LastComponent(longPath), true, PathStyle::Windows);
    }
    return shortPath;
}

String LongPathForm(const String& path, const String& shortPath, bool longForms) {
    String text = shortPath.IsEmpty() ? path : ShortFormFor(path, shortPath);
    if (longForms && text.Length() >= kLongPathThreshold && LongPrefixKind(text) == kNoLongPrefix) {
        AddLongPrefix(text);
    }
    return text;
}

}  // namespace linkloom
