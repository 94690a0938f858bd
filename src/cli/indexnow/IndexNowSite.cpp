#include "cli/indexnow/IndexNowSite.h"

#include "base/AsciiCharacters.h"
#include "base/ControlCharacters.h"
#include "core/url/UrlReference.h"
#include "core/url/UrlText.h"
#include "platform/NativePath.h"
#include "platform/ReadFile.h"

namespace linkloom::cli {

namespace {

constexpr std::size_t kShortestKey = 8, kLongestKey = 128;
constexpr char16_t kKeyFileExtension[] = u".txt";
// A key file holds the key and perhaps a line break: anything much longer is not one.
constexpr std::size_t kMostKeyFile = 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsKeyCharacter(char16_t unit) { return IsAsciiLetter(unit) || IsAsciiDigit(unit) || unit == u'-'; }

// The host of an absolute URL, without user information or port.
std::string HostOf(const String& url) {
    std::u16string authority = SplitUrl(url.Text()).authority;
    const std::size_t at = authority.rfind(u'@');
    if (at != std::u16string::npos) authority.erase(0, at + 1);
    const std::size_t port = authority.rfind(u':');
    // An IPv6 literal holds colons inside its brackets.
    if (port != std::u16string::npos && authority.find(u']', port) == std::u16string::npos) authority.erase(port);
    return String(authority).ToUtf8();
}

// The path in FOLDER of a key file at `relative`, the part of its URL after the root URL: plain
// names only, so that it cannot lead out of FOLDER.
std::optional<String> PathInFolder(const String& folder, std::u16string_view relative) {
    String path = folder;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = relative.find(u'/', start);
        const std::u16string_view name = relative.substr(start, end == std::u16string_view::npos ? end : end - start);
        if (name.empty() || name == u"." || name == u"..") return std::nullopt;
        for (const char16_t unit : name) {
            if (!IsUnreserved(unit)) return std::nullopt;
        }
        path += String(name);
        if (end == std::u16string_view::npos) return path;
        path += PathSeparator(platform::kNativePathStyle);
        start = end + 1;
    }
}

bool HoldsKey(const String& path, const String& key) {
    platform::SequentialFile file;
    if (file.Open(path)) return false;
    std::string text(kMostKeyFile + 1, '\0');
    text.resize(file.Read(text.data(), text.size()));
    std::string_view content(text);
    if (content.substr(0, kByteOrderMark.size()) == kByteOrderMark) content.remove_prefix(kByteOrderMark.size());
    while (!content.empty() && (content.back() == '\n' || content.back() == '\r' || content.back() == ' ')) {
        content.remove_suffix(1);
    }
    return content == key.ToUtf8();
}

}  // namespace

bool IsIndexNowKey(const String& key) {
    if (key.Length() < kShortestKey || key.Length() > kLongestKey) return false;
    for (const char16_t unit : key.Text()) {
        if (!IsKeyCharacter(unit)) return false;
    }
    return true;
}

std::optional<IndexNowSite> FindIndexNowSite(const String& folder, const String& rootUrl, const String& key,
                                             const std::optional<String>& keyLocation, String& message) {
    const String location = keyLocation ? *keyLocation : rootUrl + key + kKeyFileExtension;
    if (!location.StartsWith(rootUrl.Text())) {
        message = String(u"--indexnow-key-location ") + EscapeControlCharacters(location) + u" does not lie under " +
                  rootUrl + u", so FOLDER cannot hold it";
        return std::nullopt;
    }
    const std::optional<String> path = PathInFolder(folder, location.Text().substr(rootUrl.Length()));
    if (!path) {
        message = String(u"--indexnow-key-location ") + EscapeControlCharacters(location) +
                  u" names a file by more than letters, digits and '-', '.', '_', '~' between its slashes";
        return std::nullopt;
    }
    if (!HoldsKey(*path, key)) {
        message = String(u"IndexNow needs the key file: create ") + EscapeControlCharacters(*path) +
                  u" holding the key " + key + u" alone, and publish it at " + location;
        return std::nullopt;
    }
    return IndexNowSite{HostOf(rootUrl), key.ToUtf8(), location.ToUtf8()};
}

}  // namespace linkloom::cli
