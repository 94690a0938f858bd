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
bool RunToken(String& token, String& error) {
    static String made;
    if (made.IsEmpty() && !platform::RandomName(RunFileNames::kTokenLength, made, error)) return false;
    token = made;
    return true;
}

String Listed(const String& folder) { return folder.IsEmpty() ? String(u".") : folder; }

// A file named like a run's journal or guard that no run of ours wrote stays, and is told of.
void LeaveAlone(const String& path) {
    platform::WriteStandardError("warning: left alone: " + EscapeControlCharacters(path).ToUtf8() +
                                 " (named like a file of this program's runs, but not written by one)\n");
}

}  // namespace

bool OutputFolder::Open(const String& folder, String& error) {
    folder_ = folder;
    if (!RunToken(token_, error)) return false;
    platform::FileLock folderLock;
    if (!folderLock.Acquire(folder_ + kFolderLock, platform::FileLock::Mode::Wait, error)) return false;
    // Taken under the folder's lock, so that no sweep sees the file before it is locked.
    if (!runLock_.Acquire(folder_ + RunFileNames::Lock(token_), platform::FileLock::Mode::CreateNew, error)) {
        return false;
    }
    Sweep();
    return true;
}

bool OutputFolder::IsSameAs(const String& folder) const { return IsOneFolder(folder_, folder); }

bool OutputFolder::NewPath(String& path, String& error) const {
    String name;
    if (!platform::RandomName(RunFileNames::kNameLength, name, error)) return false;
    path = folder_ + RunFileNames::Temporary(token_, name);
    return true;
}

bool OutputFolder::CreateTemporary(platform::OutputFile& file, String& path, String& error) const {
    using Creation = platform::OutputFile::Creation;
    for (int tries = 0; tries < kMostTries; ++tries) {
        if (!NewPath(path, error)) return false;
        const Creation created = platform::OutputFile::CreateNew(path, platform::FileAccess::Shared, file, error);
        if (created != Creation::Exists) return created == Creation::Created;
    }
    return false;
}

bool OutputFolder::Hold(platform::FileLock& lock, String& error) const {
    if (!lock.Acquire(folder_ + kFolderLock, platform::FileLock::Mode::Wait, error)) return false;
    Sweep();
    return true;
}

String OutputFolder::JournalPath() const { return folder_ + RunFileNames::Journal(token_); }

String OutputFolder::GuardPath() const { return folder_ + RunFileNames::Guard(token_); }

void OutputFolder::Sweep() const {
    struct DeadRun {
        bool locked = false;  // its lock file is here: a run of ours made these names
        std::vector<String> files;
    };
    std::map<std::u16string, DeadRun> runs;
    platform::SystemError error;
    std::vector<platform::DirectoryEntry> entries;
    const auto folder = platform::FolderHandle::Open(Listed(folder_), error);
    if (!folder || !folder->List(entries, error)) return;
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
    String ignored;
    // Only tried: a run that holds that folder may be waiting for this one.
    if (!otherLock.Acquire(FolderOf(other) + kFolderLock, platform::FileLock::Mode::Try, ignored)) return false;
    return !platform::NameExists(other) || SetSwitch::Recover(other);
}

}  // namespace linkloom::cli
