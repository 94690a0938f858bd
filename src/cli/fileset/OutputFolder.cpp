#include "cli/fileset/OutputFolder.h"

#include <map>
#include <vector>

#include "base/ControlCharacters.h"
#include "cli/fileset/RunFileNames.h"
#include "cli/fileset/SetSwitch.h"
#include "cli/fileset/StampedFile.h"
#include "cli/output/OutputNames.h"
#include "platform/Console.h"
#include "platform/Directory.h"
#include "platform/FileNames.h"
#include "platform/RandomName.h"

namespace linkloom::cli {

namespace {

const char16_t kFolderLock[] = u".linkloom.lock";
// A name taken by chance, or planted, is tried again with another.
constexpr int kMostTries = 16;

// The run's token, the same in every folder: one process, one run.
platform::Outcome<String> RunToken() {
    static String made;
    if (made.IsEmpty()) {
        platform::Outcome<String> token = platform::RandomName(RunFileNames::kTokenLength);
        if (!token) return token;
        made = *token;
    }
    return made;
}

String Listed(const String& folder) { return folder.IsEmpty() ? String(u".") : folder; }

// A file named like a run's journal or guard that no run of ours wrote stays, and is told of.
void LeaveAlone(const String& path) {
    platform::WriteStandardError("warning: left alone: " + EscapeControlCharacters(path).ToUtf8() +
                                 " (named like a file of this program's runs, but not written by one)\n");
}

}  // namespace

std::optional<platform::SystemError> OutputFolder::Open(const String& folder) {
    folder_ = folder;
    platform::Outcome<String> token = RunToken();
    if (!token) return token.Failure();
    token_ = *token;
    platform::FileLock folderLock;
    if (auto failure = folderLock.Acquire(folder_ + kFolderLock, platform::FileLock::Mode::Wait)) return failure;
    // Taken under the folder's lock, so that no sweep sees the file before it is locked.
    if (auto failure = runLock_.Acquire(folder_ + RunFileNames::Lock(token_), platform::FileLock::Mode::CreateNew)) {
        return failure;
    }
    Sweep();
    return std::nullopt;
}

bool OutputFolder::IsSameAs(const String& folder) const { return IsOneFolder(folder_, folder); }

platform::Outcome<String> OutputFolder::NewPath() const {
    platform::Outcome<String> name = platform::RandomName(RunFileNames::kNameLength);
    if (!name) return name;
    return folder_ + RunFileNames::Temporary(token_, *name);
}

platform::Outcome<platform::OutputFile> OutputFolder::CreateTemporary() const {
    for (int tries = 1;; ++tries) {
        platform::Outcome<String> path = NewPath();
        if (!path) return path.Failure();
        platform::Outcome<platform::OutputFile> created =
            platform::OutputFile::CreateNew(*path, platform::FileAccess::Shared);
        if (created || created.Failure().kind != platform::SystemError::Kind::Exists || tries == kMostTries) {
            return created;
        }
    }
}

std::optional<platform::SystemError> OutputFolder::Hold(platform::FileLock& lock) const {
    if (auto failure = lock.Acquire(folder_ + kFolderLock, platform::FileLock::Mode::Wait)) return failure;
    Sweep();
    return std::nullopt;
}

String OutputFolder::JournalPath() const { return folder_ + RunFileNames::Journal(token_); }

String OutputFolder::GuardPath() const { return folder_ + RunFileNames::Guard(token_); }

void OutputFolder::Sweep() const {
    struct DeadRun {
        bool locked = false;  // its lock file is here: a run of ours made these names
        std::vector<String> files;
    };
    std::map<std::u16string, DeadRun> runs;
    std::vector<platform::DirectoryEntry> entries;
    auto folder = platform::FolderHandle::Open(Listed(folder_));
    if (!folder || (*folder)->List(entries)) return;
    for (const platform::DirectoryEntry& entry : entries) {
        String token;
        const RunFileNames::Kind kind = RunFileNames::Parse(entry.name, token);
        if (kind == RunFileNames::Kind::None || token == token_) continue;
        DeadRun& run = runs[token.Text()];
        if (kind == RunFileNames::Kind::Lock) {
            run.locked = true;
        } else {
            run.files.push_back(entry.name);
        }
    }
    for (const auto& [token, run] : runs) {
        const String lock = folder_ + RunFileNames::Lock(String(token));
        if (!run.locked || platform::FileLock::IsTaken(lock) || !SweepDead(String(token))) continue;
        for (const String& name : run.files) platform::RemoveFile(folder_ + name);
        // The lock goes last: without it, nothing left here would be known as the run's.
        platform::RemoveFile(lock);
    }
}

bool OutputFolder::SweepDead(const String& token) const {
    const String journal = folder_ + RunFileNames::Journal(token);
    if (platform::NameExists(journal)) {
        if (SwitchJournal().Read(journal) != SwitchJournal::State::Unusable) return SetSwitch::Recover(journal);
        LeaveAlone(journal);
        return false;
    }
    // A guard names the journal, in another folder, of a switch that reached this one.
    const String guard = folder_ + RunFileNames::Guard(token);
    if (!platform::NameExists(guard)) return true;
    std::string named;
    String other, otherToken;
    const StampedRead read = ReadStampedFile(guard, named);
    // Guards are written before the journal: one cut short guards nothing yet.
    if (read == StampedRead::Cut) return true;
    if (read == StampedRead::Whole) other = String::FromUtf8(named);
    if (RunFileNames::Parse(other.Mid(FolderOf(other).Length()), otherToken) != RunFileNames::Kind::Journal ||
        otherToken != token) {
        LeaveAlone(guard);
        return false;
    }
    platform::FileLock otherLock;
    // Only tried: a run that holds that folder may be waiting for this one.
    if (otherLock.Acquire(FolderOf(other) + kFolderLock, platform::FileLock::Mode::Try)) return false;
    return !platform::NameExists(other) || SetSwitch::Recover(other);
}

}  // namespace linkloom::cli
