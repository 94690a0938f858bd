#include "platform/Directory.h"

#include <windows.h>

#include "base/PathText.h"
#include "platform/win32/ExtendedPath.h"
#include "platform/win32/FileIdentity.h"
#include "platform/win32/Handle.h"
#include "platform/win32/SystemError.h"

namespace linkloom::platform {

namespace {

FileTime ToFileTime(const FILETIME& time) {
    return (static_cast<FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool IsDotName(const wchar_t* name) { return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0)); }

}  // namespace

FolderHandle::~FolderHandle() = default;

FolderHandle::Opened FolderHandle::Open(const String& path) {
    String extended = ExtendedPath(path.IsEmpty() ? String(u".") : path);
    const DWORD attributes = GetFileAttributesW(extended.Wide());
    if (attributes == INVALID_FILE_ATTRIBUTES) return LastFailure(path, Action::Read);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return SystemFailure(ERROR_DIRECTORY, path, Action::Read);
    if (!extended.EndsWith(u'\\')) extended += u'\\';
    std::shared_ptr<FolderHandle> handle(new FolderHandle);
    handle->path_ = std::move(extended);
    return std::shared_ptr<const FolderHandle>(std::move(handle));
}

FolderHandle::Opened FolderHandle::OpenFolder(const String& name) const {
    // Nothing is opened: a folder that cannot be listed says so when it is listed.
    std::shared_ptr<FolderHandle> handle(new FolderHandle);
    handle->path_ = path_ + name + u'\\';
    return std::shared_ptr<const FolderHandle>(std::move(handle));
}

std::optional<SystemError> FolderHandle::List(std::vector<DirectoryEntry>& entries) const {
    entries.clear();
    WIN32_FIND_DATAW record;
    const String pattern = path_ + u'*';
    FindHandle search(FindFirstFileExW(pattern.Wide(), FindExInfoBasic, &record, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH));
    if (!search.IsValid()) return LastFailure(path_, Action::Read);
    do {
        if (IsDotName(record.cFileName)) continue;
        DirectoryEntry entry;
        entry.name = String::FromWide(record.cFileName);
        entry.type = (record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryType::Folder : EntryType::File;
        entry.isLink = (record.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entry.hasTime = true;
        entry.written = ToFileTime(record.ftLastWriteTime);
        entry.size = static_cast<std::uint64_t>(record.nFileSizeHigh) << 32 | record.nFileSizeLow;
        entries.push_back(std::move(entry));
    } while (FindNextFileW(search.Get(), &record));
    const DWORD failure = GetLastError();
    if (failure != ERROR_NO_MORE_FILES) return SystemFailure(failure, path_, Action::Read);
    return std::nullopt;
}

bool FolderHandle::Identify(FileIdentity& identity) const { return IdentifyDirectory(path_, identity); }

Outcome<FileStamp> FolderHandle::Stamp(const DirectoryEntry& entry) const {
    FileStamp stamp;
    stamp.written = entry.written;
    stamp.size = entry.size;
    return stamp;
}

PathType PathKind(const String& path) {
    if (path.IsEmpty()) return PathType::Missing;
    WIN32_FIND_DATAW record;
    DWORD attributes;
    FindHandle search(FindFirstFileW(path.Wide(), &record));
    if (search.IsValid()) {
        attributes = record.dwFileAttributes;
    } else {
        // A root such as "C:\" or a path ending in '\' is not found by a search.
        attributes = GetFileAttributesW(path.Wide());
        if (attributes == INVALID_FILE_ATTRIBUTES) return PathType::Missing;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathType::Folder : PathType::Other;
}

String ResolvedFolder(const String& path) { return HasLongPathPrefix(path) ? path : FullPath(path); }

// A file's path opens as well; callers name folders.
bool IdentifyDirectory(const String& path, FileIdentity& identity) { return IdentifyPath(path, identity); }

bool IdentifyPath(const String& path, FileIdentity& identity) {
    FileHandle opened(CreateFileW(path.Wide(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!opened.IsValid() || !GetFileInformationByHandle(opened.Get(), &info)) return false;
    identity = IdentityOf(info);
    return true;
}

}  // namespace linkloom::platform
