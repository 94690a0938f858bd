#include "platform/Directory.h"
#include "platform/UnixTime.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

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

FileTime ToFileTime(const struct timespec& time) {
    FileTime converted = 0;
    FileTimeFromUnix(time.tv_sec, time.tv_nsec, converted);
    return converted;
}

struct Item {
    String name;
    std::string bytes;
    unsigned char type;
};

// Listings keep their directory open for quick stat calls, but only so many at once, so that a
// deep tree does not run out of descriptors; deeper levels stat by the whole path.
constexpr int kMaxOpenListings = 128;
int openListings = 0;

}  // namespace

struct DirectoryListing::State {
    bool open = false;
    int fd = -1;
    // The directory's path with a final '/', so an entry's path is this plus its name.
    std::string prefix;
    std::vector<Item> items;
    std::size_t next = 0;

    int Stat(const Item& item, struct stat& info, bool followLinks) const {
        const int flags = followLinks ? 0 : AT_SYMLINK_NOFOLLOW;
        if (fd >= 0) return fstatat(fd, item.bytes.c_str(), &info, flags);
        return fstatat(AT_FDCWD, (prefix + item.bytes).c_str(), &info, flags);
    }
};

DirectoryListing::DirectoryListing(const String& directory) : state_(std::make_unique<State>()) {
    std::string path = directory.ToNativeBytes();
    // The listing is read whole and the directory closed at once, so that a deep tree does not
    // hold one descriptor per level.
    DIR* dir = opendir(path.empty() ? "." : path.c_str());
    if (!dir) return;
    if (!path.empty() && path.back() != '/') path += '/';
    state_->prefix = std::move(path);
    if (openListings < kMaxOpenListings) {
        state_->fd = fcntl(dirfd(dir), F_DUPFD_CLOEXEC, 0);
        if (state_->fd >= 0) ++openListings;
    }
    while (const dirent* found = readdir(dir)) {
        state_->items.push_back(Item{String::FromUtf8(found->d_name), found->d_name, found->d_type});
    }
    closedir(dir);
    std::sort(state_->items.begin(), state_->items.end(),
              [](const Item& a, const Item& b) { return ListsBefore(a.name, b.name); });
    state_->open = true;
}

DirectoryListing::~DirectoryListing() {
    if (state_->fd < 0) return;
    close(state_->fd);
    --openListings;
}

bool DirectoryListing::IsOpen() const { return state_->open; }

bool DirectoryListing::Next(DirectoryEntry& entry) {
    if (state_->next >= state_->items.size()) return false;
    const Item& item = state_->items[state_->next++];
    entry.name = item.name;
    entry.isLink = item.type == DT_LNK;
    entry.isDirectory = item.type == DT_DIR;
    if (item.type == DT_LNK || item.type == DT_UNKNOWN) {
        struct stat info;
        if (item.type == DT_UNKNOWN && state_->Stat(item, info, false) == 0) entry.isLink = S_ISLNK(info.st_mode);
        entry.isDirectory = state_->Stat(item, info, true) == 0 && S_ISDIR(info.st_mode);
    }
    return true;
}

bool DirectoryListing::LastWriteTime(FileTime& time) const {
    if (state_->next == 0) return false;
    struct stat info;
    if (state_->Stat(state_->items[state_->next - 1], info, true) != 0) return false;
    time = ToFileTime(info.st_mtim);
    return true;
}

int PathKind(const String& path) {
    if (path.IsEmpty()) return 0;
    struct stat info;
    if (stat(path.ToNativeBytes().c_str(), &info) != 0) return 0;
    return S_ISDIR(info.st_mode) ? -1 : 1;
}

bool IdentifyDirectory(const String& path, FileIdentity& identity) {
    struct stat info;
    if (stat(path.ToNativeBytes().c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    identity.volume = static_cast<std::uint64_t>(info.st_dev);
    identity.index = static_cast<std::uint64_t>(info.st_ino);
    return true;
}

}  // namespace linkloom::platform
