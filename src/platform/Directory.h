#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "base/String.h"
#include "platform/Outcome.h"
#include "platform/SystemError.h"

namespace linkloom::platform {

// 100-nanosecond intervals since 1601-01-01 UTC, as Windows counts file times.
using FileTime = std::uint64_t;

// Names one directory on one volume, whatever path leads to it.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity& other) const { return volume == other.volume && index == other.index; }
};

struct FileIdentityHash {
    std::size_t operator()(const FileIdentity& identity) const {
        return static_cast<std::size_t>(identity.index * 0x9E3779B97F4A7C15ULL ^ identity.volume);
    }
};

// What a path names.
enum class PathType { Missing, Folder, Other };

// Missing for an empty path or nothing there.
PathType PathKind(const String& path);

// The path as the system reads it, which the walk takes so that it sees the folder PathKind saw.
// On Windows the full path, without the blanks and dots the system drops at the end of the last
// name; a "\\?\" path and every POSIX path are kept as they are.
String ResolvedFolder(const String& path);

enum class EntryType : std::uint8_t { File, Folder };

struct DirectoryEntry {
    String name;
    // A link to a folder is a Folder; a link that leads nowhere is a File.
    EntryType type = EntryType::File;
    // A symbolic link or other reparse point; for a folder, its target may be anywhere.
    bool isLink = false;
    // Set where the listing itself gives the last-write time and the size (Windows).
    bool hasTime = false;
    FileTime written = 0;
    std::uint64_t size = 0;
};

// A file's last-write time and size, which tell whether it has been written since.
struct FileStamp {
    FileTime written = 0;
    std::uint64_t size = 0;
};

// An open folder, through which the files and folders it holds are opened by name. On POSIX it is
// a descriptor, so that opening a file costs the same at any depth and no path limit applies; on
// Windows it is the folder's full path in its "\\?\" form, which names files and never devices.
// Shared, so that a file found in the folder can be read after the walk has moved on.
class FolderHandle {
public:
    ~FolderHandle();
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;

    using Opened = Outcome<std::shared_ptr<const FolderHandle>>;

    // The folder at `path`.
    static Opened Open(const String& path);
    // The folder `name` inside this one, a link followed; a failure names `name`.
    Opened OpenFolder(const String& name) const;

    // The entries without "." and "..": sorted on POSIX so that output is stable (upper-cased
    // code units first, plain ones on a tie, the order NTFS lists in), in the system's order on Windows.
    std::optional<SystemError> List(std::vector<DirectoryEntry>& entries) const;
    bool Identify(FileIdentity& identity) const;
    // The last-write time and size of an entry of this folder, a link followed.
    Outcome<FileStamp> Stamp(const DirectoryEntry& entry) const;

#ifdef _WIN32
    // The folder's "\\?\" path, ending in a backslash.
    const String& Path() const { return path_; }
#else
    int Descriptor() const { return descriptor_; }
#endif

private:
    FolderHandle() = default;

#ifdef _WIN32
    String path_;
#else
    // Takes a descriptor from open; a negative one is the failure that errno describes.
    static Opened Adopt(int descriptor, const String& path);
    int descriptor_ = -1;
#endif
};

// How many folders a walk may hold open at once: descriptors are few on POSIX.
#ifdef _WIN32
constexpr std::size_t kMostOpenFolders = std::numeric_limits<std::size_t>::max();
#else
constexpr std::size_t kMostOpenFolders = 128;
#endif

// The identity of the directory at `path`, following links; false when it cannot be had.
bool IdentifyDirectory(const String& path, FileIdentity& identity);
// The identity of the file or folder at `path`, its links followed; false when nothing is there.
bool IdentifyPath(const String& path, FileIdentity& identity);

}  // namespace linkloom::platform
