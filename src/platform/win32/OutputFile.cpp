#include "platform/OutputFile.h"

#include <windows.h>

#include <algorithm>

namespace linkloom::platform {

namespace {

String SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    String message = length ? String::FromWide(text) : String(u"error ") + String::FromInt(code);
    if (text) LocalFree(text);
    message.TrimRight();
    return message;
}

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

bool ReplacingFile::Create(const String& target, String& error) {
    Abandon();
    const String temporary = target + u".tmp" + String::FromInt(GetCurrentProcessId());
    const HANDLE file =
        CreateFileW(temporary.Wide(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = SystemMessage(GetLastError());
        return false;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    temporary_ = temporary;
    return true;
}

bool ReplacingFile::Write(const char* bytes, std::size_t size, String& error) {
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(AsHandle(handle_), bytes, chunk, &written, nullptr) || written == 0) {
            error = SystemMessage(GetLastError());
            return false;
        }
        bytes += written;
        size -= written;
    }
    return true;
}

bool ReplacingFile::Close(String& error) {
    const std::intptr_t handle = handle_;
    handle_ = -1;
    if (handle != -1 && !CloseHandle(AsHandle(handle))) {
        error = SystemMessage(GetLastError());
        Abandon();
        return false;
    }
    return true;
}

bool ReplacingFile::Commit(const String& target, String& error) {
    if (!Close(error)) return false;
    if (!MoveFileExW(temporary_.Wide(), target.Wide(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = SystemMessage(GetLastError());
        Abandon();
        return false;
    }
    temporary_ = String();
    return true;
}

void ReplacingFile::Abandon() {
    if (handle_ != -1) CloseHandle(AsHandle(handle_));
    handle_ = -1;
    if (!temporary_.IsEmpty()) DeleteFileW(temporary_.Wide());
    temporary_ = String();
}

bool RemoveFile(const String& path) { return DeleteFileW(path.Wide()) != 0; }

}  // namespace linkloom::platform
