#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

#include "base/String.h"
#include "platform/SystemError.h"

namespace linkloom::platform {

// A file of the program's own in the system's temporary folder, written and read at any offset.
// Its name is random and made only where nothing stands, so no file of anyone else is opened;
// it is gone once closed, however the program ends: on POSIX the name is removed as soon as the
// file is open, on Windows the system deletes it with its last handle.
class ScratchFile {
public:
    ScratchFile() = default;
    ~ScratchFile() { Close(); }
    ScratchFile(ScratchFile&& other) noexcept : handle_(std::exchange(other.handle_, kNone)) {}
    ScratchFile& operator=(ScratchFile&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = std::exchange(other.handle_, kNone);
        }
        return *this;
    }

    // Makes `file` a new scratch file.
    static std::optional<SystemError> Create(ScratchFile& file);

    bool IsOpen() const { return handle_ != kNone; }
    bool Write(std::uint64_t offset, const char* bytes, std::size_t size);
    // All `size` bytes at `offset`, or false.
    bool Read(std::uint64_t offset, char* bytes, std::size_t size) const;

private:
    static constexpr std::intptr_t kNone = -1;
    void Close();

    std::intptr_t handle_ = kNone;
};

}  // namespace linkloom::platform
