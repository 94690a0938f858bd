#include "cli/state/StagedFile.h"

#include "cli/output/OutputNames.h"
#include "platform/FileNames.h"

namespace linkloom::cli {

bool StageFile(FileSetTransaction& change, const String& path, std::initializer_list<std::string_view> pieces,
               String& error) {
    const platform::OutputTarget target = platform::ResolveOutputTarget(path);
    if (target.kind == platform::OutputKind::Folder || target.kind == platform::OutputKind::Stream) {
        error = u"not a file";
        return false;
    }
    platform::OutputFile file;
    String temporary;
    if (!change.CreateTemporary(FolderOf(target.path), file, temporary, error)) return false;
    for (const std::string_view piece : pieces) {
        if (!file.Write(piece.data(), piece.size(), error)) return false;
    }
    if (!file.Close(error)) return false;
    change.Replace(target.path, temporary);
    return true;
}

}  // namespace linkloom::cli
