#include "platform/FileLock.h"

#include <windows.h>

#include "platform/StopSignals.h"
#include "platform/win32/SystemError.h"

namespace linkloom::platform {

namespace {

constexpr DWORD kPauseMs = 20;
// A file being deleted refuses to open for a moment; refusals that last longer are real.
constexpr int kMostRefusals = 250;

}  // namespace

// The file is opened unshared, so no other process opens it while the lock is held; the system
// closes the handle of a process that ends in any way. As on other systems, only a holder that
// lets go removes the file: the lock file of a killed run stays to say whose names lie beside it.
std::optional<SystemError> FileLock::Acquire(const String& path, Mode mode) {
    Release();
    for (int refusals = 0;;) {
        const HANDLE file =
            CreateFileW(path.Wide(), GENERIC_READ | DELETE, 0, nullptr,
                        mode == Mode::CreateNew ? CREATE_NEW : OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = reinterpret_cast<std::intptr_t>(file);
            path_ = path;
            return std::nullopt;
        }
        const DWORD code = GetLastError();
        const bool held =
            code == ERROR_SHARING_VIOLATION || (code == ERROR_ACCESS_DENIED && ++refusals < kMostRefusals);
        if (!held || mode != Mode::Wait || EndsWithoutWriting(PendingStop())) {
            return SystemFailure(code, path, Action::Write);
        }
        Sleep(kPauseMs);
    }
}

void FileLock::Release() {
    if (handle_ == kNone) return;
    FILE_DISPOSITION_INFO remove{TRUE};
    SetFileInformationByHandle(reinterpret_cast<HANDLE>(handle_), FileDispositionInfo, &remove, sizeof remove);
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = kNone;
}

bool FileLock::IsTaken(const String& path) {
    // A holder shares nothing, so any open fails while it lives. Only opened: whether the file
    // goes is the caller's decision, made after it has looked at what the run left.
    const HANDLE file = CreateFileW(path.Wide(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    const DWORD code = GetLastError();
    return code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND;
}

}  // namespace linkloom::platform
