#include "cli/state/StateFile.h"

#include "base/ControlCharacters.h"
#include "cli/state/StagedFile.h"
#include "platform/Console.h"

namespace linkloom::cli {

namespace {

// Tells of `failure` as `path`'s.
void Tell(platform::SystemError failure, const String& path, const char16_t* what = nullptr) {
    failure.path = path;
    platform::WriteStandardError("linkloom-cli: " + platform::Sentence(failure, what).ToUtf8() + "\n");
}

}  // namespace

void StateFile::TrackChanges(const std::optional<String>& changesFile) {
    changes_.emplace();
    changesFile_ = changesFile;
}

bool StateFile::Load() {
    if (!path_) return true;
    if (auto failure = record_.Load(*path_, Changes())) {
        Tell(*failure, *path_, u"the state file");
        return false;
    }
    return true;
}

std::optional<platform::SystemError> StateFile::Stage(FileSetTransaction& change) const {
    // Named for the file it was making, whatever step failed.
    const auto of = [](const String& target, std::optional<platform::SystemError> failure) {
        if (failure) failure->path = target;
        return failure;
    };
    if (auto failure = record_.Stage(change, *path_)) return of(*path_, failure);
    if (!changesFile_) return std::nullopt;
    return of(*changesFile_, StageFile(change, *changesFile_, {changes_->Text()}));
}

SitemapSet::Companion StateFile::Companion() {
    if (!path_) return {};
    return [this](FileSetTransaction& change) {
        staged_ = true;
        return Stage(change);
    };
}

bool StateFile::Save() const {
    if (!path_ || staged_) return true;
    FileSetTransaction change;
    std::optional<platform::SystemError> failure = Stage(change);
    if (!failure) failure = change.Commit([] { return true; });
    if (!failure) return true;
    // The switch names the file whose step failed; a failure of the whole names the last file staged.
    Tell(*failure, failure->path.IsEmpty() ? (changesFile_ ? *changesFile_ : *path_) : failure->path);
    return false;
}

}  // namespace linkloom::cli
