#pragma once

#include "base/PathText.h"

namespace linkloom::platform {

#ifdef _WIN32
constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

}  // namespace linkloom::platform
