#include "cli/fileset/WholeFile.h"

#include "cli/fileset/FileSetTransaction.h"
#include "cli/output/OutputNames.h"
#include "platform/OutputFile.h"

namespace linkloom::cli {

std::optional<platform::SystemError> WriteWholeFile(const String& path, const std::string& bytes) {
    const platform::OutputTarget target = platform::ResolveOutputTarget(path);
    switch (target.kind) {
    case platform::OutputKind::Folder:
        return platform::OwnFailure(u"a folder has that name", path, platform::Action::Write);
    case platform::OutputKind::Stream: {
        platform::Outcome<platform::OutputFile> stream = platform::OutputFile::OpenStream(path);
        if (!stream) return stream.Failure();
        return WriteAndClose(*stream, bytes);
    }
    case platform::OutputKind::File:
    case platform::OutputKind::Missing: break;
    }
    FileSetTransaction change;
    platform::Outcome<platform::OutputFile> file = change.CreateTemporary(FolderOf(target.path));
    if (!file) return file.Failure();
    if (auto failure = WriteAndClose(*file, bytes)) return failure;
    change.Replace(target.path, file->Path());
    return change.Commit([] { return true; });
}

}  // namespace linkloom::cli
