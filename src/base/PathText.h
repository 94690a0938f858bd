#pragma once

#include <optional>

#include "base/String.h"

namespace linkloom {

// The text rules of paths, for either family of systems, so both can be checked on any machine.
enum class PathStyle { Windows, Posix };

// Paths this long or longer need the long-path prefix on Windows.
constexpr std::size_t kLongPathThreshold = 260;

char16_t PathSeparator(PathStyle style);

// Joins a directory and a name with one separator. With `longPaths`, a Windows result of 260 units
// or more gets "\\?\" (or "\\?\UNC\" for a network path) unless the directory already carries it.
String JoinPath(const String& directory, const String& name, bool longPaths, PathStyle style);

// True when the path begins with a long-path prefix ("\\?\X:" or "\\?\UNC").
bool HasLongPathPrefix(const String& path);

// The text after the last '.' of the last path component; nothing when there is no '.'.
// A name that ends in '.' gives an empty extension.
std::optional<String> FileExtension(const String& nameOrPath, PathStyle style);

}  // namespace linkloom
