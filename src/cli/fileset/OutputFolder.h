#pragma once

#include <optional>

#include "base/String.h"
#include "platform/FileLock.h"
#include "platform/Outcome.h"
#include "platform/OutputFile.h"
#include "platform/SystemError.h"

namespace linkloom::cli {

// A folder that this run writes into. Every file the run makes there besides its output has one
// of the names RunFileNames gives, with the run's own unpredictable token: its lock (held for
// the whole run, so that other runs leave its files alone), its temporary files, the backups,
// journal and guard of its switch. Whoever opens the folder first removes what dead runs left
// there (names of those forms beside a dead run's lock, and nothing else), undoing a switch that
// one of them broke off; a journal or guard not stamped by a run is told of and left alone.
// Opening, sweeping and switching sets of files happen one run at a time, under the folder's
// lock ".linkloom.lock".
class OutputFolder {
public:
    OutputFolder() = default;
    OutputFolder(const OutputFolder&) = delete;
    OutputFolder& operator=(const OutputFolder&) = delete;

    // `folder` ends in a separator, or is empty for the current folder.
    std::optional<platform::SystemError> Open(const String& folder);
    // True when `folder` names this folder, in whatever form.
    bool IsSameAs(const String& folder) const;

    // A new file under an unpredictable name, created exclusively and never through a link.
    platform::Outcome<platform::OutputFile> CreateTemporary() const;
    // An unpredictable path where nothing is yet.
    platform::Outcome<String> NewPath() const;
    // Takes the folder's lock, waiting for other runs, and removes what runs that died since
    // left behind. The folder is held until `lock` is released.
    std::optional<platform::SystemError> Hold(platform::FileLock& lock) const;

    // Where this run keeps the journal of its switch, and the guard that points other runs from
    // a second folder of the switch to that journal.
    String JournalPath() const;
    String GuardPath() const;

private:
    void Sweep() const;
    // Removes what the dead run `token` left here; false when it is left for later.
    bool SweepDead(const String& token) const;

    String folder_;
    String token_;
    platform::FileLock runLock_;
};

}  // namespace linkloom::cli
