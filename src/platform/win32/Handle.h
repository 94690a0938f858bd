#pragma once

#include <windows.h>

namespace linkloom::platform {

// Owns one Windows handle and closes it once, with `Close`, the function its kind needs.
template <BOOL(WINAPI* Close)(HANDLE)>
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~OwnedHandle() { Reset(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Get() const { return handle_; }
    // Gives the handle up without closing it.
    HANDLE Release() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }
    void Reset(HANDLE handle = INVALID_HANDLE_VALUE) {
        if (IsValid()) Close(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_;
};

// A kernel handle from CreateFileW and friends.
using FileHandle = OwnedHandle<CloseHandle>;
// A directory search from FindFirstFileExW.
using FindHandle = OwnedHandle<FindClose>;

}  // namespace linkloom::platform
