#pragma once

#include <cstdint>
#include <memory>

#include "base/String.h"

namespace linkloom::platform {

// 100-nanosecond intervals since 1601-01-01 UTC, as Windows counts file times.
using FileTime = std::uint64_t;

// Names one directory on one volume, whatever path leads to it.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity& other) const { return volume == other.volume && index == other.index; }
};

struct DirectoryEntry {
    String name;
    bool isDirectory = false;
    // A symbolic link or other reparse point; for a directory, its target may be anywhere.
    bool isLink = false;
};

// One directory's entries, "." and ".." included where the system lists them. On POSIX the
// entries come sorted so that output is stable: upper-cased code units first, plain ones on a tie.
class DirectoryListing {
public:
    explicit DirectoryListing(const String& directory);
    ~DirectoryListing();
    DirectoryListing(const DirectoryListing&) = delete;
    DirectoryListing& operator=(const DirectoryListing&) = delete;

    bool IsOpen() const;
    // The next entry; false at the end of the listing or on any error.
    bool Next(DirectoryEntry& entry);
    // The last-write time of the entry that Next gave last; false when it cannot be read.
    bool LastWriteTime(FileTime& time) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// -1 for a directory, 1 for anything else that exists, 0 for an empty path or nothing there.
int PathKind(const String& path);

// The identity of the directory at `path`, following links; false when it cannot be had.
bool IdentifyDirectory(const String& path, FileIdentity& identity);

}  // namespace linkloom::platform
