#pragma once

#include <cstddef>

#include "base/String.h"

namespace linkloom::cli {

// The names a run gives the files it makes in a folder it writes into, TOKEN being the run's own
// unpredictable token and NAME another such word: ".linkloom-TOKEN" (the run's lock),
// ".linkloom-TOKEN-NAME" (temporary files and backups), ".linkloom-TOKEN.journal" and
// ".linkloom-TOKEN.guard". No other name is a run's.
class RunFileNames {
public:
    static constexpr std::size_t kTokenLength = 8;
    static constexpr std::size_t kNameLength = 8;

    enum class Kind { None, Lock, Temporary, Journal, Guard };

    static String Lock(const String& token);
    static String Temporary(const String& token, const String& name);
    static String Journal(const String& token);
    static String Guard(const String& token);

    // What a file name (without its folder) is, and the token it carries; None for any other name.
    static Kind Parse(const String& name, String& token);
};

}  // namespace linkloom::cli
