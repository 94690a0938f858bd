#pragma once

#include <cstddef>
#include <cstdint>

#include "base/String.h"
#include "platform/Directory.h"
#include "platform/SystemError.h"

#ifdef _WIN32
#include "platform/win32/Handle.h"
#endif

namespace linkloom::platform {

// A file opened for reading from start to end, shared for reading only: a file that another
// program holds open for writing without sharing cannot be opened. Only a file on disk is
// opened: a folder, a pipe or a device named like a page never is, so reading cannot block.
class SequentialFile {
public:
    enum class OpenResult { Opened, NotAFile, Failed };

    SequentialFile() = default;
    ~SequentialFile() { Close(); }
    SequentialFile(const SequentialFile&) = delete;
    SequentialFile& operator=(const SequentialFile&) = delete;

    OpenResult Open(const String& path, SystemError& error);
    // The file `name` in `folder`.
    OpenResult Open(const FolderHandle& folder, const String& name, SystemError& error);
    void Close();
    bool IsOpen() const;
    // Reads up to `size` bytes; fewer only at the end of the file or on an error.
    std::size_t Read(void* buffer, std::size_t size);
    // The last-write time and size of the open file, where opening it has read them (POSIX);
    // false elsewhere.
    bool Stamp(FileStamp& stamp) const;

private:
#ifdef _WIN32
    OpenResult Adopt(HANDLE file, SystemError& error);
    FileHandle file_;
#else
    OpenResult Adopt(int descriptor, SystemError& error);
    int descriptor_ = -1;
    FileStamp stamp_;
#endif
};

}  // namespace linkloom::platform
