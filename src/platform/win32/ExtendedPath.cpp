#include "platform/win32/ExtendedPath.h"

#include <windows.h>

#include <vector>

#include "base/PathText.h"

namespace linkloom::platform {

String FullPath(const String& path) {
    const DWORD needed = GetFullPathNameW(path.Wide(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetFullPathNameW(path.Wide(), needed, buffer.data(), nullptr);
    return length > 0 && length < needed ? String::FromWide(buffer.data()) : path;
}

String ExtendedPath(const String& path) {
    if (HasLongPathPrefix(path)) return path;
    // The full path is made before the prefix turns off the system's own reading of the text.
    String full = FullPath(path);
    // A device path ("\\.\...") is left as it is: it names a device on purpose.
    if (!full.StartsWith(u"\\\\.\\")) AddLongPrefix(full);
    return full;
}

}  // namespace linkloom::platform
