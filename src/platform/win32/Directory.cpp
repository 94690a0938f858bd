#include "platform/Directory.h"

#include <windows.h>

#include "base/PathText.h"
#include "platform/win32/Handle.h"

namespace linkloom::platform {

struct DirectoryListing::State {
    HANDLE search = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW record{};
    // The first record arrives with FindFirstFileExW; Next hands it out before asking for more.
    bool pending = false;
};

DirectoryListing::DirectoryListing(const String& directory) : state_(std::make_unique<State>()) {
    const String pattern = JoinPath(directory, u"*", true, PathStyle::Windows);
    state_->search = FindFirstFileExW(pattern.Wide(), FindExInfoBasic, &state_->record, FindExSearchNameMatch,
                                      nullptr, FIND_FIRST_EX_LARGE_FETCH);
    state_->pending = state_->search != INVALID_HANDLE_VALUE;
}

DirectoryListing::~DirectoryListing() {
    if (state_->search != INVALID_HANDLE_VALUE) FindClose(state_->search);
}

bool DirectoryListing::IsOpen() const { return state_->search != INVALID_HANDLE_VALUE; }

bool DirectoryListing::Next(DirectoryEntry& entry) {
    if (state_->search == INVALID_HANDLE_VALUE) return false;
    if (state_->pending) {
        state_->pending = false;
    } else if (!FindNextFileW(state_->search, &state_->record)) {
        return false;
    }
    entry.name = String::FromWide(state_->record.cFileName);
    entry.isDirectory = (state_->record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isLink = (state_->record.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    return true;
}

bool DirectoryListing::LastWriteTime(FileTime& time) const {
    if (state_->search == INVALID_HANDLE_VALUE) return false;
    const FILETIME& written = state_->record.ftLastWriteTime;
    time = (static_cast<FileTime>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    return true;
}

int PathKind(const String& path) {
    if (path.IsEmpty()) return 0;
    WIN32_FIND_DATAW record;
    DWORD attributes;
    const HANDLE search = FindFirstFileW(path.Wide(), &record);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        attributes = record.dwFileAttributes;
    } else {
        // A root such as "C:\" or a path ending in '\' is not found by a search.
        attributes = GetFileAttributesW(path.Wide());
        if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? -1 : 1;
}

bool IdentifyDirectory(const String& path, FileIdentity& identity) {
    FileHandle directory(CreateFileW(path.Wide(), FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!directory.IsValid() || !GetFileInformationByHandle(directory.Get(), &info)) return false;
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

}  // namespace linkloom::platform
