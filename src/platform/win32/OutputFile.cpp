#include "platform/OutputFile.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/FileIdentity.h"
#include "platform/win32/Handle.h"
#include "platform/win32/SystemError.h"

namespace linkloom::platform {

namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
std::intptr_t AsValue(HANDLE handle) { return reinterpret_cast<std::intptr_t>(handle); }

// The path the links of an open file lead to.
String FinalPath(HANDLE file, const String& fallback) {
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD length = GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    }
    return length > 0 && length < buffer.size() ? String::FromWide(buffer.data()) : fallback;
}

}  // namespace

OutputTarget ResolveOutputTarget(const String& path) {
    const FileHandle file(CreateFileW(path.Wide(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.IsValid()) return {path, OutputKind::Missing};
    if (GetFileType(file.Get()) != FILE_TYPE_DISK) return {path, OutputKind::Stream};
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(file.Get(), &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return {path, OutputKind::Folder};
    }
    // The path the system opened, links followed. (Wine does not show a Linux link as a reparse
    // point, so the path is taken whether the name was one or not.)
    return {FinalPath(file.Get(), path), OutputKind::File};
}

OutputFile OutputFile::StandardOutput() {
    return OutputFile(AsValue(GetStdHandle(STD_OUTPUT_HANDLE)), false, kStandardOutput);
}

OutputFile OutputFile::StandardError() {
    return OutputFile(AsValue(GetStdHandle(STD_ERROR_HANDLE)), false, kStandardError);
}

Outcome<OutputFile> OutputFile::CreateNew(const String& path, FileAccess) {
    // CREATE_NEW fails on any name that is there, a link included.
    const HANDLE created =
        CreateFileW(path.Wide(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) {
        SystemError failure = LastFailure(path, Action::Write);
        if (failure.code == ERROR_FILE_EXISTS || failure.code == ERROR_ALREADY_EXISTS) {
            failure.kind = SystemError::Kind::Exists;
        }
        return failure;
    }
    return OutputFile(AsValue(created), true, path);
}

Outcome<OutputFile> OutputFile::OpenStream(const String& path) {
    const HANDLE opened = CreateFileW(path.Wide(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return LastFailure(path, Action::Write);
    return OutputFile(AsValue(opened), true, path);
}

Outcome<OutputFile> OutputFile::OpenAppend(const String& path) {
    const HANDLE opened = CreateFileW(path.Wide(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return LastFailure(path, Action::Write);
    return OutputFile(AsValue(opened), true, path);
}

std::optional<SystemError> OutputFile::Write(const char* bytes, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(AsHandle(handle_), bytes, chunk, &written, nullptr) || written == 0) {
            return LastFailure(path_, Action::Write);
        }
        bytes += written;
        size -= written;
    }
    return std::nullopt;
}

bool OutputFile::Identify(FileIdentity& identity) const {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(AsHandle(handle_), &info)) return false;
    identity = IdentityOf(info);
    return true;
}

std::optional<SystemError> OutputFile::Close() {
    const std::intptr_t handle = std::exchange(handle_, kNone);
    if (handle == kNone || !owned_ || CloseHandle(AsHandle(handle))) return std::nullopt;
    return LastFailure(path_, Action::Write);
}

}  // namespace linkloom::platform
