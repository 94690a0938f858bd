#include "platform/ReadFile.h"

#include <windows.h>

namespace linkloom::platform {

namespace {

HANDLE AsHandle(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }
const std::intptr_t kClosed = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);

}  // namespace

SequentialFile::SequentialFile() : handle_(kClosed) {}

SequentialFile::~SequentialFile() { Close(); }

bool SequentialFile::Open(const String& path) {
    Close();
    const HANDLE file = CreateFileW(path.Wide(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return true;
}

void SequentialFile::Close() {
    if (handle_ != kClosed) CloseHandle(AsHandle(handle_));
    handle_ = kClosed;
}

bool SequentialFile::IsOpen() const { return handle_ != kClosed; }

std::size_t SequentialFile::Read(void* buffer, std::size_t size) {
    DWORD got = 0;
    if (handle_ == kClosed || !ReadFile(AsHandle(handle_), buffer, static_cast<DWORD>(size), &got, nullptr)) return 0;
    return got;
}

bool SequentialFile::MoveBack(std::uint32_t count) {
    if (handle_ == kClosed) return false;
    LARGE_INTEGER distance;
    distance.QuadPart = -static_cast<LONGLONG>(count);
    return SetFilePointerEx(AsHandle(handle_), distance, nullptr, FILE_CURRENT) != 0;
}

}  // namespace linkloom::platform
