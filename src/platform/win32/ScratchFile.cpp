#include "platform/ScratchFile.h"

#include <windows.h>

#include "platform/RandomName.h"
#include "platform/win32/SystemError.h"

namespace linkloom::platform {

namespace {

constexpr std::size_t kNameLength = 16;
// Names taken by chance are tried again, a few times.
constexpr int kMostTries = 8;
// The most bytes one ReadFile or WriteFile call moves.
constexpr std::size_t kMostAtOnce = 1u << 30;

HANDLE HandleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

OVERLAPPED At(std::uint64_t offset) {
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
}

}  // namespace

void ScratchFile::Close() {
    if (handle_ != kNone) CloseHandle(HandleOf(handle_));
    handle_ = kNone;
}

std::optional<SystemError> ScratchFile::Create(ScratchFile& file) {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH) return LastFailure(String(), Action::Write);
    const String folder = String::FromWide(buffer);
    for (int tries = 0; tries < kMostTries; ++tries) {
        Outcome<String> name = RandomName(kNameLength);
        if (!name) return name.Failure();
        const String path = folder + u"linkloom-" + *name + u".tmp";
        const HANDLE handle = CreateFileW(path.Wide(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS) continue;
        if (handle == INVALID_HANDLE_VALUE) return LastFailure(folder, Action::Write);
        file.Close();
        file.handle_ = reinterpret_cast<std::intptr_t>(handle);
        return std::nullopt;
    }
    return SystemFailure(ERROR_FILE_EXISTS, folder, Action::Write);
}

bool ScratchFile::Write(std::uint64_t offset, const char* bytes, std::size_t size) {
    while (size > 0) {
        OVERLAPPED at = At(offset);
        DWORD wrote = 0;
        const DWORD part = static_cast<DWORD>(size < kMostAtOnce ? size : kMostAtOnce);
        if (!WriteFile(HandleOf(handle_), bytes, part, &wrote, &at) || wrote == 0) return false;
        bytes += wrote;
        size -= wrote;
        offset += wrote;
    }
    return true;
}

bool ScratchFile::Read(std::uint64_t offset, char* bytes, std::size_t size) const {
    while (size > 0) {
        OVERLAPPED at = At(offset);
        DWORD got = 0;
        const DWORD part = static_cast<DWORD>(size < kMostAtOnce ? size : kMostAtOnce);
        if (!ReadFile(HandleOf(handle_), bytes, part, &got, &at) || got == 0) return false;
        bytes += got;
        size -= got;
        offset += got;
    }
    return true;
}

}  // namespace linkloom::platform
