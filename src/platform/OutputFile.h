#pragma once

#include <cstddef>
#include <cstdint>

#include "base/String.h"

namespace linkloom::platform {

// A file written beside its target under a temporary name and renamed over the target only
// when complete, so that a reader sees either the old file whole or the new one whole. A file
// that is not committed is removed with the object.
class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile() { Abandon(); }
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file beside `target`. On failure `error` holds the system's reason.
    bool Create(const String& target, String& error);
    bool Write(const char* bytes, std::size_t size, String& error);
    // Closes the file, which stays under its temporary name until Commit.
    bool Close(String& error);
    // Closes the file if still open and renames it over `target`, which lies in the same folder
    // as the one given to Create (it may have another name).
    bool Commit(const String& target, String& error);
    // Closes and removes the temporary file, if any.
    void Abandon();

private:
    std::intptr_t handle_ = -1;
    String temporary_;
};

// Removes a file; false when it could not be removed (or was not there).
bool RemoveFile(const String& path);

}  // namespace linkloom::platform
