#include "shell/ShortPath.h"

#include <windows.h>

#include <vector>

#include "base/PathText.h"
#include "shell/PathParts.h"

namespace linkloom {

namespace {

constexpr DWORD kPathBufferSize = 33000;
// Names longer than this have a short name of their own or none at all.
constexpr std::size_t kLongestShortName = 14;

String SystemShortPath(const String& path, std::size_t room) {
    std::vector<wchar_t> buffer(room, L'\0');
    const DWORD length = GetShortPathNameW(path.Wide(), buffer.data(), static_cast<DWORD>(room));
    if (length == 0 || length >= room) return {};
    return String::FromWide(buffer.data());
}

// Puts the current directory back however the walk ends.
class CurrentDirectoryKeeper {
public:
    CurrentDirectoryKeeper() : saved_(kPathBufferSize, L'\0') {
        const DWORD length = GetCurrentDirectoryW(kPathBufferSize, saved_.data());
        savedOk_ = length > 0 && length < kPathBufferSize;
    }
    ~CurrentDirectoryKeeper() {
        if (savedOk_) SetCurrentDirectoryW(saved_.data());
    }
    CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
    CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;
    bool Saved() const { return savedOk_; }

private:
    std::vector<wchar_t> saved_;
    bool savedOk_ = false;
};

// The short name of `component` in the current directory; empty when it has none.
String ShortNameInCurrentDirectory(const String& component) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(component.Wide(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    FindClose(search);
    if (found.cAlternateFileName[0]) return String::FromWide(found.cAlternateFileName);
    const String name = String::FromWide(found.cFileName);
    return name.Length() <= kLongestShortName ? name : String();
}

// Network paths: GetShortPathNameW cannot take them whole when they are long, so each folder
// is entered by its short name in turn.
String WalkShortPath(const String& path, std::size_t room) {
    const CurrentDirectoryKeeper keeper;
    if (!keeper.Saved()) return {};
    const String root = PathRoot(path);
    if (root.IsEmpty() || !SetCurrentDirectoryW(root.Wide())) return {};
    String built = root;
    std::size_t start = root.Length();
    for (;;) {
        const std::ptrdiff_t end = path.Find(u'\\', start);
        const String component =
            end == String::npos ? path.Mid(start) : path.Left(static_cast<std::size_t>(end)).Mid(start);
        const String shortName = ShortNameInCurrentDirectory(component);
        if (shortName.IsEmpty()) return {};
        built += shortName;
        if (end == String::npos) break;
        if (!SetCurrentDirectoryW(shortName.Wide())) return {};
        start = static_cast<std::size_t>(end) + 1;
        if (start >= path.Length()) break;
        built += u'\\';
    }
    return built.Length() < room ? built : String();
}

}  // namespace

String ShortPathOf(const String& path, std::size_t room) {
    if (path.IsEmpty() || room == 0) return {};
    if (path.Length() < kLongPathThreshold) return SystemShortPath(path, room);
    const String bare = StripLongPrefix(path);
    if (bare.IsEmpty() || bare[0] != u'\\') {
        const String shortPath = SystemShortPath(String(u"\\\\?\\") + bare, room);
        return shortPath.Length() > 4 ? shortPath.Mid(4) : String();
    }
    return WalkShortPath(bare, room);
}

}  // namespace linkloom
