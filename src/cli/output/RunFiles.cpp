#include "cli/output/RunFiles.h"

#include "cli/output/EarlierParts.h"
#include "cli/output/OutputNames.h"
#include "platform/OutputFile.h"

namespace linkloom::cli {

namespace {

void Add(std::vector<OwnFile>& files, const String& path) {
    const String folder = FolderOf(path);
    OwnFile file{{}, path.Mid(folder.Length())};
    if (platform::IdentifyDirectory(folder.IsEmpty() ? String(u".") : folder, file.folder)) files.push_back(file);
}

// The file as named and the one its links lead to.
void AddFollowed(std::vector<OwnFile>& files, const String& path) {
    Add(files, path);
    const platform::OutputTarget target = platform::ResolveOutputTarget(path);
    if (target.path != path) Add(files, target.path);
}

}  // namespace

std::vector<OwnFile> RunFiles(const CliOptions& options) {
    std::vector<OwnFile> files;
    if (options.output) {
        const OutputNames names(*options.output, options.gzip);
        AddFollowed(files, names.File());
        for (const String& part : EarlierParts(names, platform::ResolveOutputTarget(names.File()).path)) {
            Add(files, names.PartPath(part));
        }
    }
    if (options.state) AddFollowed(files, *options.state);
    if (options.settingsFile) Add(files, *options.settingsFile);
    if (options.changes) AddFollowed(files, *options.changes);
    return files;
}

}  // namespace linkloom::cli
