#include "cli/fileset/WholeFile.h"

#include "cli/fileset/FileSetTransaction.h"
#include "cli/output/OutputNames.h"
#include "platform/OutputFile.h"

namespace linkloom::cli {

bool WriteWholeFile(const String& path, const std::string& bytes, String& error) {
    const platform::OutputTarget target = platform::ResolveOutputTarget(path);
    platform::OutputFile file;
    switch (target.kind) {
    case platform::OutputKind::Folder: error = u"a folder has that name"; return false;
    case platform::OutputKind::Stream:
        return platform::OutputFile::OpenStream(path, file, error) && file.Write(bytes.data(), bytes.size(), error) &&
               file.Close(error);
    case platform::OutputKind::File:
    case platform::OutputKind::Missing: break;
    }
    FileSetTransaction change;
    String temporary, failed;
    if (!change.CreateTemporary(FolderOf(target.path), file, temporary, error)) return false;
    if (!file.Write(bytes.data(), bytes.size(), error) || !file.Close(error)) return false;
    change.Replace(target.path, temporary);
    return change.Commit([] { return true; }, error, failed);
}

}  // namespace linkloom::cli
