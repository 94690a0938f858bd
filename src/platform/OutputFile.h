#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/String.h"
#include "platform/Directory.h"
#include "platform/Outcome.h"
#include "platform/SystemError.h"

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
// error are written through it but never closed. Its failures name the path it was opened by.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;

    // How failures name the standard streams.
    static constexpr char16_t kStandardOutput[] = u"standard output";
    static constexpr char16_t kStandardError[] = u"standard error";

    static OutputFile StandardOutput();
    static OutputFile StandardError();
    // Creates a new file at `path`; fails as Kind::Exists when any name is there already, a link
    // included, which is never followed.
    static Outcome<OutputFile> CreateNew(const String& path, FileAccess access);
    // Opens the FIFO or device at `path` as it is, for writing.
    static Outcome<OutputFile> OpenStream(const String& path);
    // Opens the file at `path` for writing at its end, creating it when missing.
    static Outcome<OutputFile> OpenAppend(const String& path);

    bool IsOpen() const { return handle_ != kNone; }
    // The path it was opened by.
    const String& Path() const { return path_; }
    // The identity of the open file on its volume.
    bool Identify(FileIdentity& identity) const;
    std::optional<SystemError> Write(const char* bytes, std::size_t size);
    std::optional<SystemError> Close();

private:
    static constexpr std::intptr_t kNone = -1;
    OutputFile(std::intptr_t handle, bool owned, String path)
        : handle_(handle), owned_(owned), path_(std::move(path)) {}

    std::intptr_t handle_ = kNone;
    bool owned_ = false;
    String path_;
};

// Writes `bytes` into `file` and closes it; the first failure.
std::optional<SystemError> WriteAndClose(OutputFile& file, std::string_view bytes);

}  // namespace linkloom::platform
