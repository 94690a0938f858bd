#include "platform/ReadFile.h"

#include <windows.h>

#include "platform/win32/ExtendedPath.h"
#include "platform/win32/SystemError.h"

namespace linkloom::platform {

std::optional<SystemError> SequentialFile::Adopt(HANDLE file, const String& path) {
    file_.Reset(file);
    if (!file_.IsValid()) return LastFailure(path, Action::Read);
    // A device or a pipe could block the reading thread for ever.
    if (GetFileType(file_.Get()) != FILE_TYPE_DISK) {
        file_.Reset();
        return NotAFile(path);
    }
    return std::nullopt;
}

std::optional<SystemError> SequentialFile::Open(const String& path) {
    const String extended = ExtendedPath(path);
    return Adopt(CreateFileW(extended.Wide(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr),
                 path);
}

std::optional<SystemError> SequentialFile::Open(const FolderHandle& folder, const String& name) {
    const String path = folder.Path() + name;
    return Adopt(CreateFileW(path.Wide(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr),
                 name);
}

void SequentialFile::Close() { file_.Reset(); }

bool SequentialFile::IsOpen() const { return file_.IsValid(); }

bool SequentialFile::Rewind() {
    return file_.IsValid() && SetFilePointerEx(file_.Get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN);
}

std::size_t SequentialFile::Read(void* buffer, std::size_t size) {
    std::size_t done = 0;
    while (file_.IsValid() && done < size) {
        DWORD got = 0;
        if (!ReadFile(file_.Get(), static_cast<char*>(buffer) + done, static_cast<DWORD>(size - done), &got, nullptr) ||
            got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

bool SequentialFile::Stamp(FileStamp&) const { return false; }

}  // namespace linkloom::platform
