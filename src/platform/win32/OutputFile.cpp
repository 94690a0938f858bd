#include "platform/OutputFile.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/Handle.h"

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

bool WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

}  // namespace

bool WriteFileReplacing(const String& path, const std::string& bytes, String& error) {
    const String temporary = path + u".tmp" + String::FromInt(GetCurrentProcessId());
    DWORD failure = ERROR_SUCCESS;
    {
        FileHandle file(CreateFileW(temporary.Wide(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid()) {
            error = SystemMessage(GetLastError());
            return false;
        }
        if (!WriteAll(file.Get(), bytes)) failure = GetLastError();
    }
    if (failure == ERROR_SUCCESS &&
        !MoveFileExW(temporary.Wide(), path.Wide(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failure = GetLastError();
    }
    if (failure != ERROR_SUCCESS) {
        DeleteFileW(temporary.Wide());
        error = SystemMessage(failure);
        return false;
    }
    return true;
}

}  // namespace linkloom::platform
