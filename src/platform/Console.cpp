#include "platform/Console.h"

#include "platform/OutputFile.h"

namespace linkloom::platform {

std::optional<SystemError> WriteStandardOutput(const std::string& bytes) {
    return OutputFile::StandardOutput().Write(bytes.data(), bytes.size());
}

void WriteStandardError(const std::string& bytes) { OutputFile::StandardError().Write(bytes.data(), bytes.size()); }

}  // namespace linkloom::platform
