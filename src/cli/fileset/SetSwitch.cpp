#include "cli/fileset/SetSwitch.h"

#include "cli/fileset/StampedFile.h"
#include "platform/FileNames.h"

namespace linkloom::cli {

namespace {

// Removes a name that should not stay; true when it is gone.
bool Gone(const String& path) { return platform::RemoveFile(path) || !platform::NameExists(path); }

}  // namespace

SetSwitch::SetSwitch(std::vector<SwitchStep> steps, String journal, std::vector<String> guards)
    : journal_(std::move(journal)) {
    record_.steps = std::move(steps);
    record_.guards = std::move(guards);
}

bool SetSwitch::Run(const Proceed& proceed, String& error, String& failed) {
    failed = String();
    // The guards come first: a guard whose journal is missing only marks files to remove.
    for (const String& guard : record_.guards) {
        if (!WriteStampedFile(guard, journal_.ToNativeBytes(), error)) {
            for (const String& written : record_.guards) Gone(written);
            return false;
        }
    }
    if (!record_.Write(journal_, error)) {
        Gone(journal_);
        for (const String& guard : record_.guards) Gone(guard);
        return false;
    }
    const std::vector<SwitchStep>& steps = record_.steps;
    // `proceed` is asked before each step and once more before the switch is made final.
    for (std::size_t next = 0; next <= steps.size(); ++next) {
        if (!proceed()) {
            error = u"stopped";
        } else if (next == steps.size()) {
            break;
        } else if (!Apply(steps[next], error)) {
            failed = steps[next].target;
        } else {
            continue;
        }
        // Steps not made yet are undone as well: there is nothing to undo in them.
        Undo(record_, journal_);
        return false;
    }
    // The journal gone, the switch is over: the backups are no longer needed.
    if (!platform::RemoveFile(journal_)) {
        error = u"the journal of the switch cannot be removed";
        Undo(record_, journal_);
        return false;
    }
    for (const SwitchStep& step : record_.steps) {
        if (!step.backup.IsEmpty()) platform::RemoveFile(step.backup);
    }
    for (const String& guard : record_.guards) platform::RemoveFile(guard);
    return true;
}

bool SetSwitch::Apply(const SwitchStep& step, String& error) {
    if (step.temporary.IsEmpty()) return platform::RenameFile(step.target, step.backup, error);
    // A second name keeps the old file in place until the new one replaces it; where the file
    // system has no such names, the old file moves aside for a moment.
    if (!step.backup.IsEmpty() && !platform::LinkFile(step.target, step.backup, error) &&
        !platform::RenameFile(step.target, step.backup, error)) {
        return false;
    }
    return platform::RenameFile(step.temporary, step.target, error);
}

bool SetSwitch::Undo(const SwitchJournal& record, const String& journal) {
    bool undone = true;
    String ignored;
    for (auto step = record.steps.rbegin(); step != record.steps.rend(); ++step) {
        if (!step->backup.IsEmpty()) {
            // Renaming a second name of the same file changes nothing: that name is removed.
            if (platform::NameExists(step->backup)) {
                undone = (platform::RenameFile(step->backup, step->target, ignored) && Gone(step->backup)) && undone;
            }
        } else if (!step->temporary.IsEmpty()) {
            // Nothing was there before: what is there now is the switch's.
            undone = Gone(step->target) && undone;
        }
    }
    if (!undone) return false;
    for (const String& guard : record.guards) Gone(guard);
    return Gone(journal);
}

bool SetSwitch::Recover(const String& journal) {
    SwitchJournal record;
    switch (record.Read(journal)) {
    case SwitchJournal::State::Unusable: return false;
    // Its writer died while writing it, before any step.
    case SwitchJournal::State::Partial: return Gone(journal);
    case SwitchJournal::State::Whole: break;
    }
    return Undo(record, journal);
}

}  // namespace linkloom::cli
