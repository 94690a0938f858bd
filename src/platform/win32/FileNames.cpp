#include "platform/FileNames.h"

#include <windows.h>
#include <aclapi.h>

#include <initializer_list>
#include <vector>

#include "platform/win32/FileIdentity.h"
#include "platform/win32/Handle.h"
#include "platform/win32/SystemError.h"

namespace linkloom::platform {

namespace {

// Larger files are not ours: no journal of a run comes near.
constexpr DWORD kMostPrivateBytes = 64u << 20;

// The process's user, or the default owner that its token gives new files (on Windows the
// Administrators group for an elevated administrator; Wine gives them the user).
bool IsOwnedByUs(HANDLE file) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    bool ours = false;
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        for (const TOKEN_INFORMATION_CLASS kind : {TokenUser, TokenOwner}) {
            DWORD size = 0;
            GetTokenInformation(token, kind, nullptr, 0, &size);
            std::vector<unsigned char> buffer(size);
            if (ours || !size || !GetTokenInformation(token, kind, buffer.data(), size, &size)) continue;
            const PSID sid = kind == TokenUser ? reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid
                                               : reinterpret_cast<TOKEN_OWNER*>(buffer.data())->Owner;
            ours = EqualSid(owner, sid) != 0;
        }
        CloseHandle(token);
    }
    LocalFree(descriptor);
    return ours;
}

constexpr char16_t kReadOnly[] = u"it has the read-only attribute";

SystemError ReadOnly(const String& path) { return OwnFailure(kReadOnly, path, Action::Write); }

bool IsReadOnly(const String& path) {
    const DWORD attributes = GetFileAttributesW(path.Wide());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// Why the file at `path` may not be moved or replaced: it is read-only, or another program holds
// it open without letting it be deleted. Asked before a file is given a second name or moved
// aside, since neither could be undone then: a read-only name cannot be removed, and a held file
// cannot be moved back.
std::optional<SystemError> WhyNotReplaced(const String& path) {
    if (IsReadOnly(path)) return ReadOnly(path);
    const FileHandle file(CreateFileW(path.Wide(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (file.IsValid() || GetLastError() != ERROR_SHARING_VIOLATION) return std::nullopt;
    return SystemFailure(ERROR_SHARING_VIOLATION, path, Action::Write);
}

}  // namespace

// A read-only file is never replaced, as the system itself refuses, and never moved.
std::optional<SystemError> RenameFile(const String& from, const String& to) {
    if (IsReadOnly(from) || IsReadOnly(to)) return ReadOnly(to);
    if (MoveFileExW(from.Wide(), to.Wide(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return std::nullopt;
    return LastFailure(to, Action::Write);
}

std::optional<SystemError> LinkFile(const String& existing, const String& link) {
    if (auto failure = WhyNotReplaced(existing)) return failure;
    if (CreateHardLinkW(link.Wide(), existing.Wide(), nullptr)) return std::nullopt;
    return LastFailure(link, Action::Write);
}

void CopyOwnership(const String&, const String&) {}

bool RemoveFile(const String& path) { return DeleteFileW(path.Wide()) != 0; }

bool NameExists(const String& path) { return GetFileAttributesW(path.Wide()) != INVALID_FILE_ATTRIBUTES; }

std::optional<SystemError> CopyInto(const String& source, OutputFile& target) {
    const FileHandle file(CreateFileW(source.Wide(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.IsValid()) return LastFailure(source, Action::Read);
    std::vector<char> buffer(1 << 16);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
            return LastFailure(source, Action::Read);
        }
        if (got == 0) return std::nullopt;
        if (auto failure = target.Write(buffer.data(), got)) return failure;
    }
}

bool ReadPrivateFile(const String& path, std::string& bytes, FileIdentity& identity) {
    const FileHandle file(CreateFileW(path.Wide(), GENERIC_READ | READ_CONTROL, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file.IsValid() || !GetFileInformationByHandle(file.Get(), &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ||
        info.nFileSizeHigh != 0 || info.nFileSizeLow > kMostPrivateBytes || !IsOwnedByUs(file.Get())) {
        return false;
    }
    identity = IdentityOf(info);
    bytes.assign(info.nFileSizeLow, '\0');
    DWORD done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size()) - done, &got, nullptr) ||
            got == 0) {
            return false;
        }
        done += got;
    }
    return true;
}

}  // namespace linkloom::platform
