#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "base/String.h"
#include "platform/Directory.h"
#include "platform/SystemError.h"

#ifdef _WIN32
#include "platform/win32/Handle.h"
#endif

namespace linkloom::platform {

// A file opened for reading from start to end, shared for reading only: a file that another
// program holds open for writing without sharing cannot be opened. Only a file on disk is
// opened: a folder, a pipe or a device named like a page never is (Kind::NotAFile), so reading
// cannot block.
class SequentialFile {
public:
    SequentialFile() = default;
    ~SequentialFile() { Close(); }
    SequentialFile(const SequentialFile&) = delete;
    SequentialFile& operator=(const SequentialFile&) = delete;

    std::optional<SystemError> Open(const String& path);
    // The file `name` in `folder`; a failure names `name`.
    std::optional<SystemError> Open(const FolderHandle& folder, const String& name);
    void Close();
    bool IsOpen() const;
    // Reads up to `size` bytes; fewer only at the end of the file or on an error.
    std::size_t Read(void* buffer, std::size_t size);
    // Goes back to the start of the open file, for a second reading without a second open; false
    // when it cannot.
    bool Rewind();
    // The last-write time and size of the open file, where opening it has read them (POSIX);
    // false elsewhere.
    bool Stamp(FileStamp& stamp) const;

private:
#ifdef _WIN32
    std::optional<SystemError> Adopt(HANDLE file, const String& path);
    FileHandle file_;
#else
    std::optional<SystemError> Adopt(int descriptor, const String& path);
    int descriptor_ = -1;
    FileStamp stamp_;
#endif
};

}  // namespace linkloom::platform
