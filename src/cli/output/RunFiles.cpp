#include "cli/output/RunFiles.h"

#include "cli/output/EarlierParts.h"
#include "cli/output/OutputNames.h"
#include "platform/OutputFile.h"

namespace linkloom::cli {

namespace {

// The file as named and the one its links lead to.
void AddFollowed(std::vector<OwnFile>& files, const String& path) {
    AddOwnFile(files, path);
    const platform::OutputTarget target = platform::ResolveOutputTarget(path);
    if (target.path != path) AddOwnFile(files, target.path);
}

}  // namespace

std::vector<OwnFile> RunFiles(const CliOptions& options) {
    std::vector<OwnFile> files;
    if (options.output) {
        const OutputNames names(*options.output, options.gzip);
        AddFollowed(files, names.File());
        for (const String& part : EarlierParts(names, platform::ResolveOutputTarget(names.File()).path)) {
            AddOwnFile(files, names.PartPath(part));
        }
    }
    if (options.state) AddFollowed(files, *options.state);
    if (options.settingsFile) AddOwnFile(files, *options.settingsFile);
    if (options.changes) AddFollowed(files, *options.changes);
    return files;
}

}  // namespace linkloom::cli
