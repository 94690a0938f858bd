#include "cli/state/StateFile.h"

#include "base/ControlCharacters.h"
#include "cli/state/StagedFile.h"
#include "platform/Console.h"

namespace linkloom::cli {

namespace {

void Tell(const char* what, const String& path, const String& error) {
    platform::WriteStandardError("linkloom-cli: " + std::string(what) + " " + EscapeControlCharacters(path).ToUtf8() +
                                 ": " + EscapeControlCharacters(error).ToUtf8() + "\n");
}

}  // namespace

void StateFile::TrackChanges(const std::optional<String>& changesFile) {
    changes_.emplace();
    changesFile_ = changesFile;
}

bool StateFile::Load() {
    if (!path_) return true;
    String error;
    if (!record_.Load(*path_, error, Changes())) {
        Tell("cannot read the state file", *path_, error);
        return false;
    }
    return true;
}

bool StateFile::Stage(FileSetTransaction& change, String& target, String& error) const {
    target = *path_;
    if (!record_.Stage(change, *path_, error)) return false;
    if (!changesFile_) return true;
    target = *changesFile_;
    return StageFile(change, *changesFile_, {changes_->Text()}, error);
}

SitemapSet::Companion StateFile::Companion() {
    if (!path_) return {};
    return [this](FileSetTransaction& change, String& target, String& error) {
        staged_ = true;
        return Stage(change, target, error);
    };
}

bool StateFile::Save() const {
    if (!path_ || staged_) return true;
    FileSetTransaction change;
    String target, error, failed;
    if (Stage(change, target, error) && change.Commit([] { return true; }, error, failed)) return true;
    Tell("cannot write", failed.IsEmpty() ? target : failed, error);
    return false;
}

}  // namespace linkloom::cli
