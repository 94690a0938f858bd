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

void StateFile::KeepPending() {
    if (path_) pending_.emplace(*path_);
}

bool StateFile::Load() {
    if (!path_) return true;
    String error;
    if (!record_.Load(*path_, error, Changes())) {
        Tell("cannot read the state file", *path_, error);
        return false;
    }
    if (pending_ && !pending_->Load(error)) {
        Tell("cannot read the URLs not yet submitted in", pending_->Path(), error);
        return false;
    }
    return true;
}

const std::vector<UrlChanges::Change>& StateFile::Pending() const {
    static const std::vector<UrlChanges::Change> kNone;
    return pending_ ? pending_->Urls() : kNone;
}

bool StateFile::Submitted(std::size_t count) {
    String error;
    if (!pending_ || pending_->Accepted(count, error)) return true;
    Tell("cannot write", pending_->Path(), error);
    return false;
}

bool StateFile::Stage(FileSetTransaction& change, String& target, String& error) {
    target = *path_;
    if (!record_.Stage(change, *path_, error)) return false;
    if (pending_) {
        pending_->Join(changes_->Changes());
        target = pending_->Path();
        if (!pending_->Stage(change, error)) return false;
    }
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

bool StateFile::Save() {
    if (!path_ || staged_) return true;
    FileSetTransaction change;
    String target, error, failed;
    if (Stage(change, target, error) && change.Commit([] { return true; }, error, failed)) return true;
    Tell("cannot write", failed.IsEmpty() ? target : failed, error);
    return false;
}

}  // namespace linkloom::cli
