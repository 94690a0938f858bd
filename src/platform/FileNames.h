#pragma once

#include <string>

#include "base/String.h"
#include "platform/OutputFile.h"

namespace linkloom::platform {

// Renames `from` over `to`, which is replaced whole in one step (on Windows, written through to
// the disk before the call returns, and never when either has the read-only attribute).
bool RenameFile(const String& from, const String& to, String& error);
// Gives the file at `existing` the further name `link` in the same folder. On Windows it fails
// when the file may not be replaced (read-only, or held open by a program that forbids it), as
// the second name would then outlive a switch that has to be undone.
bool LinkFile(const String& existing, const String& link, String& error);
// Removes a name (a link itself, not what it leads to); false when it could not be removed or
// was not there.
bool RemoveFile(const String& path);
// True when anything has this name, a dangling link included.
bool NameExists(const String& path);
// Writes the whole content of the file at `source` into `target`.
bool CopyInto(const String& source, OutputFile& target, String& error);

// Creates a new file at `path` that only this user may change (FileAccess::Private) and writes
// `bytes` into it.
bool WritePrivateFile(const String& path, const std::string& bytes, String& error);
// Reads a small file that WritePrivateFile made and nobody else can have changed: a regular file,
// not a link, owned by the user (and on POSIX writable by no one else). False when it is missing
// or fails one of these.
bool ReadPrivateFile(const String& path, std::string& bytes);

}  // namespace linkloom::platform
