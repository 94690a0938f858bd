#pragma once

#include <cstdint>
#include <optional>

#include "base/String.h"

namespace linkloom::platform {

// What was being done when something failed; it gives the verb of the sentence that tells of it.
enum class Action { Read, Write, Start };

// Why something failed: the system's error code (errno, or GetLastError on Windows), the path it
// concerned and what was being done. Where the system gave no code, `words` says why. Functions
// that can fail return std::optional<SystemError>: nothing when they did what was asked.
struct SystemError {
    // The failures callers tell apart from the rest.
    enum class Kind {
        Failed,
        NotFound,  // no program of that name on the PATH
        Exists,    // a name is already there
        NotAFile,  // a folder, a pipe or a device where a file was wanted
    };

    std::uint32_t code = 0;
    String path;
    Action action = Action::Read;
    Kind kind = Kind::Failed;
    String words;
};

// The failure for the system's code `code`.
SystemError SystemFailure(std::uint32_t code, const String& path, Action action);
// A failure the system gave no code for, in the program's own words.
SystemError OwnFailure(String words, const String& path, Action action);
// A folder, a pipe or a device where a file was to be read.
SystemError NotAFile(const String& path);
// No program named `program` on the PATH.
SystemError ProgramNotFound(const String& program);

// The reason: the system's words for the code, without a final full stop, or the program's own.
String Describe(const SystemError& error);

// The sentence the program prints: "cannot write PATH: reason", with `what` ("the folder") said
// before the path when given; control characters in the path and the reason are escaped.
String Sentence(const SystemError& error, const char16_t* what = nullptr);

}  // namespace linkloom::platform
