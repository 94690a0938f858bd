#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "base/String.h"
#include "cli/fileset/SwitchJournal.h"
#include "platform/SystemError.h"

namespace linkloom::cli {

// A failure of the set as a whole rather than of one target's step: it names no path, so that
// the caller names the set its own way.
platform::SystemError SetFailure(platform::SystemError failure);

// Puts a new set of files in place of an old one: one rename per file, each old file kept as a
// backup until the last step is made. A step that fails, or a stop asked for before a step,
// undoes the steps made; a run that dies during the switch leaves its journal, by which the
// next run into the folder undoes them. Each file is whole at every moment, and the set is the
// old or the new one once the switch or its undoing is over.
class SetSwitch {
public:
    // Asked before each step and before the switch is made final; false stops the switch and
    // undoes it. Tests use it to fail a step or to look at the files between two steps.
    using Proceed = std::function<bool()>;

    // `guards` are files in the other folders the steps reach, each naming the journal.
    SetSwitch(std::vector<SwitchStep> steps, String journal, std::vector<String> guards);

    // Why the switch was undone, or could not be and is left to the next run: its path is the
    // target of the step that failed, empty when the journal failed or a stop came.
    std::optional<platform::SystemError> Run(const Proceed& proceed);

    // Undoes the switch of a dead run from its journal and removes the journal; false when the
    // journal is not a usable one or a step could not be undone.
    static bool Recover(const String& journal);

private:
    static std::optional<platform::SystemError> Apply(const SwitchStep& step);
    // Undoes the steps from the last one back; the journal and guards go when all are undone.
    static bool Undo(const SwitchJournal& record, const String& journal);

    SwitchJournal record_;
    String journal_;
};

}  // namespace linkloom::cli
