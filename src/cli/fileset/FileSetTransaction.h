#pragma once

#include <memory>
#include <vector>

#include "base/String.h"
#include "cli/fileset/OutputFolder.h"
#include "cli/fileset/SetSwitch.h"
#include "platform/OutputFile.h"

namespace linkloom::cli {

// One change of a set of files, all of it or none. The calling sequence:
//   FileSetTransaction change;                        begin: nothing is touched yet
//   change.Open(folder)                               each folder the set reaches (optional: done on first use)
//   change.CreateTemporary(folder, file, path)        a new file beside its target; written and closed by the caller
//   change.Replace(target, path) / Remove(target)     what the commit will do
//   change.Commit(proceed, error, failed)             all switched in, or all rolled back
// A transaction that is not committed rolls back on destruction: its temporary files go.
// The journal lies in the first folder opened; each other folder a step reaches holds a guard.
class FileSetTransaction {
public:
    FileSetTransaction() = default;
    ~FileSetTransaction();
    FileSetTransaction(const FileSetTransaction&) = delete;
    FileSetTransaction& operator=(const FileSetTransaction&) = delete;

    // `folder` ends in a separator, or is empty for the current folder.
    bool Open(const String& folder, String& error);
    // True when two folders opened here are one, in whatever form they are named.
    bool SameFolder(const String& one, const String& other) const { return Find(one) && Find(one) == Find(other); }
    bool CreateTemporary(const String& folder, platform::OutputFile& file, String& path, String& error);
    // `temporary`, made by CreateTemporary, takes the place of `target` at the commit.
    void Replace(const String& target, const String& temporary);
    // `target` goes at the commit.
    void Remove(const String& target);
    // False with `error` and `failed` (the target of the step that failed; empty when the journal
    // failed or a stop came) when the change was rolled back or is left to the next run.
    bool Commit(const SetSwitch::Proceed& proceed, String& error, String& failed);

private:
    // The open folder that holds `path`'s file, opened now if need be; null on failure.
    OutputFolder* FolderOf(const String& path, String& error);
    OutputFolder* Find(const String& folder) const;

    std::vector<std::unique_ptr<OutputFolder>> folders_;
    std::vector<String> temporaries_;
    std::vector<SwitchStep> steps_;
};

}  // namespace linkloom::cli
