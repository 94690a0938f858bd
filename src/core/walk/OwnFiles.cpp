#include "core/walk/OwnFiles.h"

#include "platform/NativePath.h"
#include "platform/TextCompare.h"

namespace linkloom {

void AddOwnFile(std::vector<OwnFile>& files, const String& path) {
    const String folder = platform::FolderOf(path);
    OwnFile file{{}, path.Mid(folder.Length())};
    if (platform::IdentifyDirectory(folder.IsEmpty() ? String(u".") : folder, file.folder)) files.push_back(file);
}

bool IsOwnFile(const std::vector<OwnFile>& files, const platform::FolderHandle& folder, const String& name) {
    // Windows names one file in any letter case.
    const bool anyCase = platform::kNativePathStyle == PathStyle::Windows;
    platform::FileIdentity identity;
    bool identified = false;
    for (const OwnFile& file : files) {
        if (anyCase ? platform::CompareNoCase(file.name, name) != 0 : file.name != name) continue;
        // Only a name that matches costs a look at the folder.
        if (!identified && !folder.Identify(identity)) return false;
        identified = true;
        if (identity == file.folder) return true;
    }
    return false;
}

}  // namespace linkloom
