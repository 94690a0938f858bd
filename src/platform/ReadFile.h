#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "base/String.h"

namespace linkloom::platform {

// A file opened for reading from start to end, shared for reading only: a file that another
// program holds open for writing without sharing cannot be opened, and neither can a directory.
class SequentialFile {
public:
    SequentialFile();
    ~SequentialFile();
    SequentialFile(const SequentialFile&) = delete;
    SequentialFile& operator=(const SequentialFile&) = delete;

    bool Open(const String& path);
    void Close();
    bool IsOpen() const;
    // Reads up to `size` bytes with one call; 0 at the end of the file or on an error.
    std::size_t Read(void* buffer, std::size_t size);
    // Moves the position back by `count` bytes from where it is.
    bool MoveBack(std::uint32_t count);

private:
    std::intptr_t handle_;
};

}  // namespace linkloom::platform
