#include "platform/OutputFile.h"

#include <utility>

namespace linkloom::platform {

OutputFile::~OutputFile() { Close(); }

OutputFile::OutputFile(OutputFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kNone)), owned_(other.owned_), path_(std::move(other.path_)) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, kNone);
        owned_ = other.owned_;
        path_ = std::move(other.path_);
    }
    return *this;
}

std::optional<SystemError> WriteAndClose(OutputFile& file, std::string_view bytes) {
    if (auto failure = file.Write(bytes.data(), bytes.size())) return failure;
    return file.Close();
}

}  // namespace linkloom::platform
