#include "cli/state/StateFile.h"

#include "base/ControlCharacters.h"
#include "platform/Console.h"

namespace linkloom::cli {

namespace {

void Tell(const char* what, const String& path, const String& error) {
    platform::WriteStandardError("linkloom-cli: " + std::string(what) + " " + EscapeControlCharacters(path).ToUtf8() +
                                 ": " + EscapeControlCharacters(error).ToUtf8() + "\n");
}

}  // namespace

bool StateFile::Load() {
    if (!path_) return true;
    String error;
    if (!record_.Load(*path_, error)) {
        Tell("cannot read the state file", *path_, error);
        return false;
    }
    return true;
}

bool StateFile::Save() const {
    if (!path_) return true;
    String error;
    if (record_.Save(*path_, error)) return true;
    Tell("cannot write the state file", *path_, error);
    return false;
}

}  // namespace linkloom::cli
