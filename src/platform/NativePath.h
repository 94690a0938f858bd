#pragma once

#include "base/PathText.h"

namespace linkloom::platform {

#ifdef _WIN32
constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// The folder part of a path, ending in its separator; empty for a bare name.
inline String FolderOf(const String& path) {
    const auto at = path.Text().find_last_of(kNativePathStyle == PathStyle::Windows ? u"/\\:" : u"/");
    return at == std::u16string::npos ? String() : path.Left(at + 1);
}

}  // namespace linkloom::platform
