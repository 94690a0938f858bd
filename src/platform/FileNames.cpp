#include "platform/FileNames.h"

#include "platform/Directory.h"

namespace linkloom::platform {

bool SameFile(const String& one, const String& other) {
    FileIdentity first, second;
    if (IdentifyPath(one, first) && IdentifyPath(other, second)) return first == second;
    return ResolveOutputTarget(one).path == ResolveOutputTarget(other).path;
}

bool WritePrivateFile(const String& path, const std::string& bytes, String& error) {
    OutputFile file;
    return OutputFile::CreateNew(path, FileAccess::Private, file, error) == OutputFile::Creation::Created &&
           file.Write(bytes.data(), bytes.size(), error) && file.Close(error);
}

}  // namespace linkloom::platform
