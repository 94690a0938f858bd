#include "platform/FileNames.h"

namespace linkloom::platform {

bool WritePrivateFile(const String& path, const std::string& bytes, String& error) {
    OutputFile file;
    return OutputFile::CreateNew(path, FileAccess::Private, file, error) == OutputFile::Creation::Created &&
           file.Write(bytes.data(), bytes.size(), error) && file.Close(error);
}

}  // namespace linkloom::platform
