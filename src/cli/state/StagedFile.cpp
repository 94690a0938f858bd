#include "cli/state/StagedFile.h"

#include "cli/output/OutputNames.h"
#include "platform/FileNames.h"

namespace linkloom::cli {

std::optional<platform::SystemError> StageFile(FileSetTransaction& change, const String& path,
                                               std::initializer_list<std::string_view> pieces) {
    const platform::OutputTarget target = platform::ResolveOutputTarget(path);
    if (target.kind == platform::OutputKind::Folder || target.kind == platform::OutputKind::Stream) {
        return platform::OwnFailure(u"not a file", path, platform::Action::Write);
    }
    platform::Outcome<platform::OutputFile> file = change.CreateTemporary(FolderOf(target.path));
    if (!file) return file.Failure();
    for (const std::string_view piece : pieces) {
        if (auto failure = file->Write(piece.data(), piece.size())) return failure;
    }
    if (auto failure = file->Close()) return failure;
    change.Replace(target.path, file->Path());
    return std::nullopt;
}

}  // namespace linkloom::cli
