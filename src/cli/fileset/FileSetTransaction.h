#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "base/String.h"
#include "cli/fileset/OutputFolder.h"
#include "cli/fileset/SetSwitch.h"
#include "platform/Outcome.h"
#include "platform/OutputFile.h"
#include "platform/SystemError.h"

namespace linkloom::cli {

// One change of a set of files, all of it or none. The calling sequence:
//   FileSetTransaction change;                        begin: nothing is touched yet
//   change.Open(folder)                               each folder the set reaches (optional: done on first use)
//   change.CreateTemporary(folder)                    a new file beside its target; written and closed by the caller
//   change.Replace(target, file.Path()) / Remove(target)  what the commit will do
//   change.Commit(proceed)                            all switched in, or all rolled back
// Each step returns its failure, if any. A transaction that is not committed rolls back on
// destruction: its temporary files go.
// The journal lies in the first folder opened; each other folder a step reaches holds a guard.
class FileSetTransaction {
public:
    FileSetTransaction() = default;
    ~FileSetTransaction();
    FileSetTransaction(const FileSetTransaction&) = delete;
    FileSetTransaction& operator=(const FileSetTransaction&) = delete;

    // `folder` ends in a separator, or is empty for the current folder.
    std::optional<platform::SystemError> Open(const String& folder);
    // True when two folders opened here are one, in whatever form they are named.
    bool SameFolder(const String& one, const String& other) const { return Find(one) && Find(one) == Find(other); }
    platform::Outcome<platform::OutputFile> CreateTemporary(const String& folder);
    // `temporary`, made by CreateTemporary, takes the place of `target` at the commit.
    void Replace(const String& target, const String& temporary);
    // `target` goes at the commit.
    void Remove(const String& target);
    // Why the change was rolled back or is left to the next run: its path is the target of the
    // step that failed, empty when a folder, the journal or a stop failed the set as a whole.
    std::optional<platform::SystemError> Commit(const SetSwitch::Proceed& proceed);

private:
    // The open folder that holds `path`'s file, opened now if need be.
    platform::Outcome<OutputFolder*> FolderOf(const String& path);
    OutputFolder* Find(const String& folder) const;

    std::vector<std::unique_ptr<OutputFolder>> folders_;
    std::vector<String> temporaries_;
    std::vector<SwitchStep> steps_;
};

}  // namespace linkloom::cli
