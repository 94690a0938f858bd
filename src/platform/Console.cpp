#include "platform/Console.h"

#include "platform/OutputFile.h"

namespace linkloom::platform {

bool WriteStandardOutput(const std::string& bytes, String& error) {
    return OutputFile::StandardOutput().Write(bytes.data(), bytes.size(), error);
}

void WriteStandardError(const std::string& bytes) {
    String ignored;
    OutputFile::StandardError().Write(bytes.data(), bytes.size(), ignored);
}

}  // namespace linkloom::platform
