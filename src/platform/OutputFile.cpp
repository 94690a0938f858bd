#include "platform/OutputFile.h"

#include <utility>

namespace linkloom::platform {

OutputFile::~OutputFile() {
    String ignored;
    Close(ignored);
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kNone)), owned_(other.owned_) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        String ignored;
        Close(ignored);
        handle_ = std::exchange(other.handle_, kNone);
        owned_ = other.owned_;
    }
    return *this;
}

}  // namespace linkloom::platform
