#pragma once

#include <cstdint>
#include <optional>

#include "base/String.h"
#include "platform/SystemError.h"

namespace linkloom::platform {

// An exclusive lock that programs take through a file: one process holds it at a time, and it
// is given up however its holder ends, so the lock of a killed process is free. The file goes
// with the lock.
class FileLock {
public:
    enum class Mode {
        Wait,       // until the holder gives the lock up
        Try,        // fails at once when it is held
        CreateNew,  // fails when the file is there at all
    };

    FileLock() = default;
    ~FileLock() { Release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    std::optional<SystemError> Acquire(const String& path, Mode mode);
    void Release();

    // True when a live process holds the lock at `path`, or when that cannot be told.
    static bool IsTaken(const String& path);

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;
    String path_;
};

}  // namespace linkloom::platform
