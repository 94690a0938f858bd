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

std::optional<platform::SystemError> FileSetTransaction::Open(const String& folder) {
    if (Find(folder)) return std::nullopt;
    auto opened = std::make_unique<OutputFolder>();
    if (auto failure = opened->Open(folder)) return failure;
    folders_.push_back(std::move(opened));
    return std::nullopt;
}

platform::Outcome<OutputFolder*> FileSetTransaction::FolderOf(const String& path) {
    const String folder = cli::FolderOf(path);
    if (auto failure = Open(folder)) return *failure;
    return Find(folder);
}

platform::Outcome<platform::OutputFile> FileSetTransaction::CreateTemporary(const String& folder) {
    if (auto failure = Open(folder)) return *failure;
    platform::Outcome<platform::OutputFile> file = Find(folder)->CreateTemporary();
    if (file) temporaries_.push_back(file->Path());
    return file;
}

void FileSetTransaction::Replace(const String& target, const String& temporary) {
    steps_.push_back({target, temporary, String()});
}

void FileSetTransaction::Remove(const String& target) { steps_.push_back({target, String(), String()}); }

std::optional<platform::SystemError> FileSetTransaction::Commit(const SetSwitch::Proceed& proceed) {
    if (steps_.empty()) return std::nullopt;
    std::vector<const OutputFolder*> homes;
    for (const SwitchStep& step : steps_) {
        platform::Outcome<OutputFolder*> home = FolderOf(step.target);
        if (!home) return SetFailure(home.Failure());
        homes.push_back(*home);
    }
    std::vector<std::unique_ptr<platform::FileLock>> locks;
    for (const auto& folder : folders_) {
        locks.push_back(std::make_unique<platform::FileLock>());
        if (auto failure = folder->Hold(*locks.back())) return SetFailure(*failure);
    }
    std::vector<String> guards;
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        SwitchStep& step = steps_[i];
        if (platform::NameExists(step.target)) {
            platform::Outcome<String> backup = homes[i]->NewPath();
            if (!backup) return SetFailure(backup.Failure());
            step.backup = *backup;
        }
        // The new file keeps who owns the old one and who may read it.
        if (!step.temporary.IsEmpty() && !step.backup.IsEmpty()) platform::CopyOwnership(step.target, step.temporary);
        const String guard = homes[i]->GuardPath();
        if (homes[i] != folders_.front().get() && std::find(guards.begin(), guards.end(), guard) == guards.end()) {
            guards.push_back(guard);
        }
    }
    SetSwitch change(steps_, folders_.front()->JournalPath(), std::move(guards));
    return change.Run(proceed);
}

}  // namespace linkloom::cli
