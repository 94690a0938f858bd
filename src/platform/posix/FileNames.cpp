#include "platform/FileNames.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/FileIdentity.h"
#include "platform/posix/SystemError.h"

namespace linkloom::platform {

namespace {

// Larger files are not ours: no journal of a run comes near.
constexpr off_t kMostPrivateBytes = 64 << 20;

}  // namespace

std::optional<SystemError> RenameFile(const String& from, const String& to) {
    if (rename(from.ToNativeBytes().c_str(), to.ToNativeBytes().c_str()) == 0) return std::nullopt;
    return LastFailure(to, Action::Write);
}

std::optional<SystemError> LinkFile(const String& existing, const String& link) {
    if (::link(existing.ToNativeBytes().c_str(), link.ToNativeBytes().c_str()) == 0) return std::nullopt;
    return LastFailure(link, Action::Write);
}

void CopyOwnership(const String& from, const String& to) {
    struct stat model, own;
    if (stat(from.ToNativeBytes().c_str(), &model) != 0) return;
    // Changed through the open file, never through a link planted at its name.
    const int fd = open(to.ToNativeBytes().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return;
    if (fstat(fd, &own) == 0 && S_ISREG(own.st_mode)) {
        // Another user's file keeps its owner only for a privileged user; its group, for a member of it.
        if (fchown(fd, model.st_uid, model.st_gid) != 0) fchown(fd, static_cast<uid_t>(-1), model.st_gid);
        fchmod(fd, model.st_mode & 07777);
    }
    close(fd);
}

bool RemoveFile(const String& path) { return unlink(path.ToNativeBytes().c_str()) == 0; }

bool NameExists(const String& path) {
    struct stat info;
    return lstat(path.ToNativeBytes().c_str(), &info) == 0;
}

std::optional<SystemError> CopyInto(const String& source, OutputFile& target) {
    const int fd = open(source.ToNativeBytes().c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return LastFailure(source, Action::Read);
    char buffer[1 << 16];
    std::optional<SystemError> failure;
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0 && ShouldRetry(errno)) continue;
        failure = got < 0 ? LastFailure(source, Action::Read) : target.Write(buffer, static_cast<std::size_t>(got));
        if (failure) break;
    }
    close(fd);
    return failure;
}

bool ReadPrivateFile(const String& path, std::string& bytes, FileIdentity& identity) {
    const int fd = open(path.ToNativeBytes().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat info;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
              (info.st_mode & (S_IWGRP | S_IWOTH)) == 0 && info.st_size <= kMostPrivateBytes;
    if (ok) {
        identity = IdentityOf(info);
        bytes.assign(static_cast<std::size_t>(info.st_size), '\0');
        std::size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR) continue;
            ok = got > 0;
            if (ok) done += static_cast<std::size_t>(got);
        }
    }
    close(fd);
    return ok;
}

}  // namespace linkloom::platform
