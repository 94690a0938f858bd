// Makes a directory junction and a directory symbolic link, then checks whether either exists.
#include <windows.h>
#include <winioctl.h>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

struct MountPointBuffer {
    DWORD tag;
    WORD dataLength;
    WORD reserved;
    WORD substOffset, substLength, printOffset, printLength;
    WCHAR path[512];
};

int main() {
    CreateDirectoryW(L"target", nullptr);
    CreateDirectoryW(L"junction", nullptr);
    HANDLE dir = CreateFileW(L"junction", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    wchar_t full[MAX_PATH];
    GetFullPathNameW(L"target", MAX_PATH, full, nullptr);
    std::wstring subst = std::wstring(L"\\??\\") + full;
    MountPointBuffer buffer{};
    buffer.tag = IO_REPARSE_TAG_MOUNT_POINT;
    WORD bytes = WORD(subst.size() * 2);
    buffer.substLength = bytes;
    buffer.printOffset = bytes + 2;
    std::memcpy(buffer.path, subst.c_str(), bytes);
    buffer.dataLength = WORD(8 + bytes + 2 + 2);
    DWORD returned = 0;
    BOOL set =
        DeviceIoControl(dir, FSCTL_SET_REPARSE_POINT, &buffer, buffer.dataLength + 8, nullptr, 0, &returned, nullptr);
    std::printf("FSCTL_SET_REPARSE_POINT: %s, error %lu\n", set ? "ok" : "failed", set ? 0 : GetLastError());
    CloseHandle(dir);
    DWORD attributes = GetFileAttributesW(L"junction");
    std::printf("junction is a reparse point: %s\n", (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? "yes" : "no");

    BOOL made = CreateSymbolicLinkW(L"symlink", L"target", SYMBOLIC_LINK_FLAG_DIRECTORY);
    std::printf("CreateSymbolicLinkW: %s, error %lu\n", made ? "ok" : "failed", made ? 0 : GetLastError());
    attributes = GetFileAttributesW(L"symlink");
    std::printf("symlink exists: %s\n", attributes == INVALID_FILE_ATTRIBUTES ? "no" : "yes");
    return 0;
}
