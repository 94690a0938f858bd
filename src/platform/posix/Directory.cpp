#include "platform/Directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/posix/FileTimes.h"

namespace linkloom::platform {

namespace {

char16_t UpperUnit(char16_t unit) {
    if (unit >= u'a' && unit <= u'z') return unit - 32;
    if (unit >= 0xE0 && unit <= 0xFE && unit != 0xF7) return unit - 32;
    return unit;
}

// The order NTFS lists names in: upper-cased code units, then plain code units on a tie.
bool ListsBefore(const String& left, const String& right) {
    const std::size_t common = std::min(left.Length(), right.Length());
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t a = UpperUnit(left[i]), b = UpperUnit(right[i]);
        if (a != b) return a < b;
    }
    if (left.Length() != right.Length()) return left.Length() < right.Length();
    return left.Text() < right.Text();
}

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY;

}  // namespace

FolderHandle::~FolderHandle() {
    if (descriptor_ >= 0) close(descriptor_);
}

std::shared_ptr<const FolderHandle> FolderHandle::Adopt(int descriptor, SystemError& error) {
    if (descriptor < 0) {
        error.code = static_cast<std::uint32_t>(errno);
        return nullptr;
    }
    std::shared_ptr<FolderHandle> handle(new FolderHandle);
    handle->descriptor_ = descriptor;
    return handle;
}

std::shared_ptr<const FolderHandle> FolderHandle::Open(const String& path, SystemError& error) {
    return Adopt(open(path.IsEmpty() ? "." : path.ToNativeBytes().c_str(), kFolderFlags), error);
}

std::shared_ptr<const FolderHandle> FolderHandle::OpenFolder(const String& name, SystemError& error) const {
    return Adopt(openat(descriptor_, name.ToNativeBytes().c_str(), kFolderFlags), error);
}

bool FolderHandle::List(std::vector<DirectoryEntry>& entries, SystemError& error) const {
    entries.clear();
    // The listing reads through a descriptor of its own, which closedir takes with it.
    const int listing = fcntl(descriptor_, F_DUPFD_CLOEXEC, 0);
    DIR* dir = listing >= 0 ? fdopendir(listing) : nullptr;
    if (!dir) {
        error.code = static_cast<std::uint32_t>(errno);
        if (listing >= 0) close(listing);
        return false;
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
    if (failure != 0) {
        error.code = static_cast<std::uint32_t>(failure);
        return false;
    }
    std::sort(entries.begin(), entries.end(),
              [](const DirectoryEntry& a, const DirectoryEntry& b) { return ListsBefore(a.name, b.name); });
    return true;
}

bool FolderHandle::Identify(FileIdentity& identity) const {
    struct stat info;
    if (fstat(descriptor_, &info) != 0) return false;
    identity.volume = static_cast<std::uint64_t>(info.st_dev);
    identity.index = static_cast<std::uint64_t>(info.st_ino);
    return true;
}

bool FolderHandle::LastWriteTime(const DirectoryEntry& entry, FileTime& time, SystemError& error) const {
    struct stat info;
    if (fstatat(descriptor_, entry.name.ToNativeBytes().c_str(), &info, 0) != 0) {
        error.code = static_cast<std::uint32_t>(errno);
        return false;
    }
    time = ToFileTime(info.st_mtim);
    return true;
}

PathType PathKind(const String& path) {
    if (path.IsEmpty()) return PathType::Missing;
    struct stat info;
    if (stat(path.ToNativeBytes().c_str(), &info) != 0) return PathType::Missing;
    return S_ISDIR(info.st_mode) ? PathType::Folder : PathType::Other;
}

bool IdentifyDirectory(const String& path, FileIdentity& identity) {
    struct stat info;
    if (stat(path.ToNativeBytes().c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    identity.volume = static_cast<std::uint64_t>(info.st_dev);
    identity.index = static_cast<std::uint64_t>(info.st_ino);
    return true;
}

}  // namespace linkloom::platform
