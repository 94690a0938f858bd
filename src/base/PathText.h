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

// The long-path prefix a text carries: 0 none, 1 the drive form "\\?\X:", 2 the network form
// "\\?\UNC" (either case). A device path "\\.\..." carries none.
enum LongPrefix : int { kNoLongPrefix = 0, kDriveLongPrefix = 1, kNetworkLongPrefix = 2 };
int LongPrefixKind(const String& text);
// True when the path begins with a long-path prefix ("\\?\X:" or "\\?\UNC").
inline bool HasLongPathPrefix(const String& path) { return LongPrefixKind(path) != kNoLongPrefix; }

// Puts "\\?\" before a drive path, "\\?\UNC\" in place of the two backslashes of a network
// path. False, and the text left alone, when it is shorter than 3 units.
bool AddLongPrefix(String& path);

// The path without its prefix of `kind` (-1: the kind the text carries).
String StripLongPrefix(const String& path, int kind = -1);

// True when the path is neither absolute nor tied to a drive ("C:x") or a root ("\\x").
bool IsRelativePath(const String& path, PathStyle style);

// The text after the last '.' of the last path component; nothing when there is no '.'.
// A name that ends in '.' gives an empty extension.
std::optional<String> FileExtension(const String& nameOrPath, PathStyle style);

}  // namespace linkloom
