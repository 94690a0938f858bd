#pragma once

#include <cstddef>
#include <cstdint>

#include "base/String.h"
#include "platform/Directory.h"

namespace linkloom::platform {

// What writing to a path meets once its symbolic links are followed.
enum class OutputKind {
    Missing,  // nothing there yet
    File,     // a regular file
    Folder,
    Stream,  // a FIFO, a device or anything else that is written into as it is
};

struct OutputTarget {
    String path;  // the name the links lead to; a Stream keeps the path as given
    OutputKind kind = OutputKind::Missing;
};

// Follows the links at `path`, so that replacing the result keeps the links. On POSIX a link to
// a file not there yet names where the file goes; on Windows such a link is taken as missing.
OutputTarget ResolveOutputTarget(const String& path);

// Who may change a file that OutputFile::CreateNew makes: anyone the user's defaults allow, or
// (on POSIX) the user alone.
enum class FileAccess { Shared, Private };

// An open file written front to back and closed with the object. Standard output and standard
// error are written through it but never closed.
class OutputFile {
public:
    enum class Creation { Created, Exists, Failed };

    OutputFile() = default;
    ~OutputFile();
    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;

    static OutputFile StandardOutput();
    static OutputFile StandardError();
    // Creates a new file at `path`; Exists when any name is there already, a link included,
    // which is never followed. On failure `error` holds the system's reason.
    static Creation CreateNew(const String& path, FileAccess access, OutputFile& file, String& error);
    // Opens the FIFO or device at `path` as it is, for writing.
    static bool OpenStream(const String& path, OutputFile& file, String& error);
    // Opens the file at `path` for writing at its end, creating it when missing.
    static bool OpenAppend(const String& path, OutputFile& file, String& error);

    bool IsOpen() const { return handle_ != kNone; }
    // The identity of the open file on its volume.
    bool Identify(FileIdentity& identity) const;
    bool Write(const char* bytes, std::size_t size, String& error);
    bool Close(String& error);

private:
    static constexpr std::intptr_t kNone = -1;
    OutputFile(std::intptr_t handle, bool owned) : handle_(handle), owned_(owned) {}

    std::intptr_t handle_ = kNone;
    bool owned_ = false;
};

}  // namespace linkloom::platform
