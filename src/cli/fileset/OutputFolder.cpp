#include "cli/fileset/OutputFolder.h"

#include <map>
#include <vector>

#include "cli/output/OutputNames.h"
#include "cli/fileset/SetSwitch.h"
#include "platform/Directory.h"
#include "platform/FileNames.h"
#include "platform/RandomName.h"

namespace linkloom::cli {

namespace {

const char16_t kPrefix[] = u".linkloom-";
const char16_t kFolderLock[] = u".linkloom.lock";
const char16_t kJournal[] = u".journal";
const char16_t kGuard[] = u".guard";
constexpr std::size_t kTokenLength = 8;
constexpr std::size_t kNameLength = 8;
// A name taken by chance, or planted, is tried again with another.
constexpr int kMostTries = 16;

// The run's token, the same in every folder: one process, one run.
bool RunToken(String& token, String& error) {
    static String made;
    if (made.IsEmpty() && !platform::RandomName(kTokenLength, made, error)) return false;
    token = made;
    return true;
}

// The token in a name of the form ".linkloom-TOKEN...", or nothing.
String TokenOf(const String& name) {
    const String prefix(kPrefix);
    if (!name.StartsWith(prefix) || name.Length() < prefix.Length() + kTokenLength) return String();
    const String token = name.Mid(prefix.Length()).Left(kTokenLength);
    for (std::size_t i = 0; i < token.Length(); ++i) {
        const char16_t unit = token[i];
        if (!((unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'z'))) return String();
    }
    return token;
}

String Listed(const String& folder) { return folder.IsEmpty() ? String(u".") : folder; }

}  // namespace

bool OutputFolder::Open(const String& folder, String& error) {
    folder_ = folder;
    if (!RunToken(token_, error)) return false;
    platform::FileLock folderLock;
    if (!folderLock.Acquire(folder_ + kFolderLock, platform::FileLock::Mode::Wait, error)) return false;
    // Taken under the folder's lock, so that no sweep sees the file before it is locked.
    if (!runLock_.Acquire(folder_ + kPrefix + token_, platform::FileLock::Mode::CreateNew, error)) return false;
    Sweep();
    return true;
}

bool OutputFolder::IsSameAs(const String& folder) const {
    platform::FileIdentity mine, other;
    return folder == folder_ || (platform::IdentifyDirectory(Listed(folder_), mine) &&
                                 platform::IdentifyDirectory(Listed(folder), other) && mine == other);
}

bool OutputFolder::NewPath(String& path, String& error) const {
    String name;
    if (!platform::RandomName(kNameLength, name, error)) return false;
    path = folder_ + kPrefix + token_ + u'-' + name;
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

String OutputFolder::JournalPath() const { return folder_ + kPrefix + token_ + kJournal; }

String OutputFolder::GuardPath() const { return folder_ + kPrefix + token_ + kGuard; }

void OutputFolder::Sweep() const {
    std::map<std::u16string, std::vector<String>> names;
    platform::SystemError error;
    std::vector<platform::DirectoryEntry> entries;
    const auto folder = platform::FolderHandle::Open(Listed(folder_), error);
    if (!folder || !folder->List(entries, error)) return;
    for (const platform::DirectoryEntry& entry : entries) {
        const String token = TokenOf(entry.name);
        if (!token.IsEmpty() && token != token_) names[token.Text()].push_back(entry.name);
    }
    for (const auto& [token, files] : names) {
        if (platform::FileLock::IsTaken(folder_ + kPrefix + String(token)) || !SweepDead(String(token))) continue;
        for (const String& name : files) platform::RemoveFile(folder_ + name);
    }
}

bool OutputFolder::SweepDead(const String& token) const {
    const String journal = folder_ + kPrefix + token + kJournal;
    if (platform::NameExists(journal)) return SetSwitch::Recover(journal);
    // A guard names the journal, in another folder, of a switch that reached this one.
    const String guard = folder_ + kPrefix + token + kGuard;
    std::string named;
    if (!platform::ReadPrivateFile(guard, named)) return !platform::NameExists(guard);
    const String other = String::FromUtf8(named);
    platform::FileLock otherLock;
    String ignored;
    // Only tried: a run that holds that folder may be waiting for this one.
    if (!otherLock.Acquire(FolderOf(other) + kFolderLock, platform::FileLock::Mode::Try, ignored)) return false;
    return !platform::NameExists(other) || SetSwitch::Recover(other);
}

}  // namespace linkloom::cli
