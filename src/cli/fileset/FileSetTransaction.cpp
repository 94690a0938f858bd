#include "cli/fileset/FileSetTransaction.h"

#include <algorithm>

#include "cli/output/OutputNames.h"
#include "platform/FileLock.h"
#include "platform/FileNames.h"

namespace linkloom::cli {

FileSetTransaction::~FileSetTransaction() {
    // Temporary files the switch took are gone by now.
    for (const String& temporary : temporaries_) platform::RemoveFile(temporary);
}

OutputFolder* FileSetTransaction::Find(const String& folder) const {
    for (const auto& open : folders_) {
        if (open->IsSameAs(folder)) return open.get();
    }
    return nullptr;
}

bool FileSetTransaction::Open(const String& folder, String& error) {
    if (Find(folder)) return true;
    auto opened = std::make_unique<OutputFolder>();
    if (!opened->Open(folder, error)) return false;
    folders_.push_back(std::move(opened));
    return true;
}

OutputFolder* FileSetTransaction::FolderOf(const String& path, String& error) {
    const String folder = cli::FolderOf(path);
    return Open(folder, error) ? Find(folder) : nullptr;
}

bool FileSetTransaction::CreateTemporary(const String& folder, platform::OutputFile& file, String& path,
                                         String& error) {
    if (!Open(folder, error) || !Find(folder)->CreateTemporary(file, path, error)) return false;
    temporaries_.push_back(path);
    return true;
}

void FileSetTransaction::Replace(const String& target, const String& temporary) {
    steps_.push_back({target, temporary, String()});
}

void FileSetTransaction::Remove(const String& target) { steps_.push_back({target, String(), String()}); }

bool FileSetTransaction::Commit(const SetSwitch::Proceed& proceed, String& error, String& failed) {
    failed = String();
    if (steps_.empty()) return true;
    std::vector<const OutputFolder*> homes;
    for (const SwitchStep& step : steps_) {
        homes.push_back(FolderOf(step.target, error));
        if (!homes.back()) return false;
    }
    std::vector<std::unique_ptr<platform::FileLock>> locks;
    for (const auto& folder : folders_) {
        locks.push_back(std::make_unique<platform::FileLock>());
        if (!folder->Hold(*locks.back(), error)) return false;
    }
    std::vector<String> guards;
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        SwitchStep& step = steps_[i];
        if (platform::NameExists(step.target) && !homes[i]->NewPath(step.backup, error)) return false;
        // The new file keeps who owns the old one and who may read it.
        if (!step.temporary.IsEmpty() && !step.backup.IsEmpty()) platform::CopyOwnership(step.target, step.temporary);
        const String guard = homes[i]->GuardPath();
        if (homes[i] != folders_.front().get() && std::find(guards.begin(), guards.end(), guard) == guards.end()) {
            guards.push_back(guard);
        }
    }
    SetSwitch change(steps_, folders_.front()->JournalPath(), std::move(guards));
    return change.Run(proceed, error, failed);
}

}  // namespace linkloom::cli
