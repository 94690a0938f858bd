#pragma once

#include <vector>

#include "base/String.h"
#include "platform/Directory.h"

namespace linkloom {

// A file the run itself writes (its output, a record it keeps), known by its folder and name, so
// that the walk leaves it out wherever it meets it.
struct OwnFile {
    platform::FileIdentity folder;
    String name;
};

// Adds the file at `path` to `files`, when its folder can be found.
void AddOwnFile(std::vector<OwnFile>& files, const String& path);

// True when the file `name` of `folder` is one of `files`.
bool IsOwnFile(const std::vector<OwnFile>& files, const platform::FolderHandle& folder, const String& name);

}  // namespace linkloom
