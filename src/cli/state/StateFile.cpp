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

void StateFile::KeepPending() {
    if (path_) pending_.emplace(*path_);
}

bool StateFile::Load() {
    if (!path_) return true;
    if (auto failure = record_.Load(*path_, Changes())) {
        Tell(*failure, *path_, u"the state file");
        return false;
    }
    if (pending_) {
        if (auto failure = pending_->Load()) {
            Tell(*failure, pending_->Path(), u"the URLs not yet submitted in");
            return false;
        }
    }
    return true;
}

const std::vector<UrlChanges::Change>& StateFile::Pending() const {
    static const std::vector<UrlChanges::Change> kNone;
    return pending_ ? pending_->Urls() : kNone;
}

bool StateFile::Submitted(std::size_t count) {
    if (!pending_) return true;
    auto failure = pending_->Accepted(count);
    if (!failure) return true;
    Tell(*failure, pending_->Path());
    return false;
}

std::optional<platform::SystemError> StateFile::Stage(FileSetTransaction& change) {
    // Named for the file it was making, whatever step failed.
    const auto of = [](const String& target, std::optional<platform::SystemError> failure) {
        if (failure) failure->path = target;
        return failure;
    };
    if (auto failure = record_.Stage(change, *path_)) return of(*path_, failure);
    if (pending_) {
        pending_->Join(changes_->Changes());
        if (auto failure = pending_->Stage(change)) return of(pending_->Path(), failure);
    }
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

bool StateFile::Save() {
    if (!path_ || staged_) return true;
    FileSetTransaction change;
    std::optional<platform::SystemError> failure = Stage(change);
    if (!failure) failure = change.Commit([] { return true; });
    if (!failure) return true;
    // The switch names the file whose step failed; a failure of the whole names the last file staged.
    const String& last = changesFile_ ? *changesFile_ : pending_ ? pending_->Path() : *path_;
    Tell(*failure, failure->path.IsEmpty() ? last : failure->path);
    return false;
}

}  // namespace linkloom::cli
