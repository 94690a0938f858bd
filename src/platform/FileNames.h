#pragma once

#include <optional>
#include <string>

#include "base/String.h"
#include "platform/Directory.h"
#include "platform/OutputFile.h"
#include "platform/SystemError.h"

namespace linkloom::platform {

// Renames `from` over `to`, which is replaced whole in one step (on Windows, written through to
// the disk before the call returns, and never when either has the read-only attribute). A
// failure names `to`.
std::optional<SystemError> RenameFile(const String& from, const String& to);
// Gives the file at `existing` the further name `link` in the same folder. On Windows it fails
// when the file may not be replaced (read-only, or held open by a program that forbids it), as
// the second name would then outlive a switch that has to be undone. A failure names `link`.
std::optional<SystemError> LinkFile(const String& existing, const String& link);
// Removes a name (a link itself, not what it leads to); false when it could not be removed or
// was not there.
bool RemoveFile(const String& path);
// True when anything has this name, a dangling link included.
bool NameExists(const String& path);
// True when two paths lead to one file, their links followed: the same file on disk, or the
// same place where none is yet.
bool SameFile(const String& one, const String& other);
// Gives the file at `to` the owner, group and permissions of the file at `from`, as far as the
// system lets this user (POSIX). On Windows a new file takes the permissions its folder hands
// down, as the old one did, and nothing is copied.
void CopyOwnership(const String& from, const String& to);
// Writes the whole content of the file at `source` into `target`.
std::optional<SystemError> CopyInto(const String& source, OutputFile& target);

// Reads a small file made with FileAccess::Private that nobody else can have changed: a regular
// file, not a link, owned by the user (and on POSIX writable by no one else), and gives its
// identity. False when it is missing or fails one of these.
bool ReadPrivateFile(const String& path, std::string& bytes, FileIdentity& identity);

}  // namespace linkloom::platform
