#include "platform/Directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/posix/FileIdentity.h"
#include "platform/posix/FileTimes.h"
#include "platform/posix/LatinCase.h"
#include "platform/posix/SystemError.h"

namespace linkloom::platform {

namespace {

char16_t UpperUnit(char16_t unit) { return LatinUpper(unit); }

// The order NTFS lists names in: upper-cased code units, then plain code units on a tie.
bool ListsBefore(const String& left, const String& right) {
    const std::size_t common = std::min(left.Length(), right.Length());
    const char16_t* a = left.Data();
    const char16_t* b = right.Data();
    for (std::size_t i = 0; i < common; ++i) {
        if (a[i] == b[i]) continue;
        const char16_t upperA = UpperUnit(a[i]), upperB = UpperUnit(b[i]);
        if (upperA != upperB) return upperA < upperB;
    }
    if (left.Length() != right.Length()) return left.Length() < right.Length();
    return left.Text() < right.Text();
}

// The first eight code units of a name, upper-cased, packed so that comparing two keys compares
// those units in order (a shorter name's missing units are 0, which no name holds).
struct SortKey {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    std::uint32_t index = 0;
};

SortKey KeyOf(const String& name, std::uint32_t index) {
    SortKey key;
    key.index = index;
    for (std::size_t i = 0; i < 8; ++i) {
        const std::uint64_t unit = i < name.Length() ? UpperUnit(name[i]) : 0;
        (i < 4 ? key.high : key.low) |= unit << (16 * (3 - i % 4));
    }
    return key;
}

// Sorts the entries as NTFS lists them, comparing packed keys first.
void SortEntries(std::vector<DirectoryEntry>& entries) {
    std::vector<SortKey> keys;
    keys.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        keys.push_back(KeyOf(entries[i].name, static_cast<std::uint32_t>(i)));
    std::sort(keys.begin(), keys.end(), [&entries](const SortKey& a, const SortKey& b) {
        if (a.high != b.high) return a.high < b.high;
        if (a.low != b.low) return a.low < b.low;
        return ListsBefore(entries[a.index].name, entries[b.index].name);
    });
    std::vector<DirectoryEntry> sorted;
    sorted.reserve(entries.size());
    for (const SortKey& key : keys) sorted.push_back(std::move(entries[key.index]));
    entries.swap(sorted);
}

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY;

}  // namespace

FolderHandle::~FolderHandle() {
    if (descriptor_ >= 0) close(descriptor_);
}

FolderHandle::Opened FolderHandle::Adopt(int descriptor, const String& path) {
    if (descriptor < 0) return LastFailure(path, Action::Read);
    std::shared_ptr<FolderHandle> handle(new FolderHandle);
    handle->descriptor_ = descriptor;
    return std::shared_ptr<const FolderHandle>(std::move(handle));
}

FolderHandle::Opened FolderHandle::Open(const String& path) {
    return Adopt(open(path.IsEmpty() ? "." : path.ToNativeBytes().c_str(), kFolderFlags), path);
}

FolderHandle::Opened FolderHandle::OpenFolder(const String& name) const {
    return Adopt(openat(descriptor_, name.ToNativeBytes().c_str(), kFolderFlags), name);
}

std::optional<SystemError> FolderHandle::List(std::vector<DirectoryEntry>& entries) const {
    entries.clear();
    // The listing reads through a descriptor of its own, which closedir takes with it.
    const int listing = fcntl(descriptor_, F_DUPFD_CLOEXEC, 0);
    DIR* dir = listing >= 0 ? fdopendir(listing) : nullptr;
    if (!dir) {
        const SystemError failure = LastFailure(String(), Action::Read);
        if (listing >= 0) close(listing);
        return failure;
    }
    for (;;) {
        // readdir says an error from the end of the listing only through errno.
        errno = 0;
        const dirent* found = readdir(dir);
        if (!found) break;
        const char* name = found->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
        DirectoryEntry entry;
        entry.name = String::FromUtf8(name);
        entry.isLink = found->d_type == DT_LNK;
        entry.type = found->d_type == DT_DIR ? EntryType::Folder : EntryType::File;
        if (found->d_type == DT_LNK || found->d_type == DT_UNKNOWN) {
            struct stat info;
            if (found->d_type == DT_UNKNOWN && fstatat(descriptor_, name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
                entry.isLink = S_ISLNK(info.st_mode);
            }
            if (fstatat(descriptor_, name, &info, 0) == 0 && S_ISDIR(info.st_mode)) entry.type = EntryType::Folder;
        }
        entries.push_back(std::move(entry));
    }
    const int failure = errno;
    closedir(dir);
    if (failure != 0) return SystemFailure(static_cast<std::uint32_t>(failure), String(), Action::Read);
    SortEntries(entries);
    return std::nullopt;
}

bool FolderHandle::Identify(FileIdentity& identity) const {
    struct stat info;
    if (fstat(descriptor_, &info) != 0) return false;
    identity = IdentityOf(info);
    return true;
}

Outcome<FileStamp> FolderHandle::Stamp(const DirectoryEntry& entry) const {
    struct stat info;
    if (fstatat(descriptor_, entry.name.ToNativeBytes().c_str(), &info, 0) != 0) {
        return LastFailure(entry.name, Action::Read);
    }
    FileStamp stamp;
    stamp.written = ToFileTime(info.st_mtim);
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    return stamp;
}

PathType PathKind(const String& path) {
    if (path.IsEmpty()) return PathType::Missing;
    struct stat info;
    if (stat(path.ToNativeBytes().c_str(), &info) != 0) return PathType::Missing;
    return S_ISDIR(info.st_mode) ? PathType::Folder : PathType::Other;
}

String ResolvedFolder(const String& path) { return path; }

namespace {

bool Identify(const String& path, bool folderOnly, FileIdentity& identity) {
    struct stat info;
    if (stat(path.ToNativeBytes().c_str(), &info) != 0 || (folderOnly && !S_ISDIR(info.st_mode))) return false;
    identity = IdentityOf(info);
    return true;
}

}  // namespace

bool IdentifyDirectory(const String& path, FileIdentity& identity) { return Identify(path, true, identity); }

bool IdentifyPath(const String& path, FileIdentity& identity) { return Identify(path, false, identity); }

}  // namespace linkloom::platform
