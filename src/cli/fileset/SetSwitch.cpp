#include "cli/fileset/SetSwitch.h"

#include "cli/fileset/StampedFile.h"
#include "platform/FileNames.h"

namespace linkloom::cli {

namespace {

// Removes a name that should not stay; true when it is gone.
bool Gone(const String& path) { return platform::RemoveFile(path) || !platform::NameExists(path); }

platform::SystemError SetFailure(const char16_t* words) {
    return platform::OwnFailure(words, String(), platform::Action::Write);
}

}  // namespace

platform::SystemError SetFailure(platform::SystemError failure) {
    failure.path = String();
    return failure;
}

SetSwitch::SetSwitch(std::vector<SwitchStep> steps, String journal, std::vector<String> guards)
    : journal_(std::move(journal)) {
    record_.steps = std::move(steps);
    record_.guards = std::move(guards);
}

std::optional<platform::SystemError> SetSwitch::Run(const Proceed& proceed) {
    // The guards come first: a guard whose journal is missing only marks files to remove.
    for (const String& guard : record_.guards) {
        if (auto failure = WriteStampedFile(guard, journal_.ToNativeBytes())) {
            for (const String& written : record_.guards) Gone(written);
            return SetFailure(*failure);
        }
    }
    if (auto failure = record_.Write(journal_)) {
        Gone(journal_);
        for (const String& guard : record_.guards) Gone(guard);
        return SetFailure(*failure);
    }
    const std::vector<SwitchStep>& steps = record_.steps;
    // `proceed` is asked before each step and once more before the switch is made final.
    for (std::size_t next = 0; next <= steps.size(); ++next) {
        std::optional<platform::SystemError> failure;
        if (!proceed()) {
            failure = SetFailure(u"stopped");
        } else if (next == steps.size()) {
            break;
        } else if ((failure = Apply(steps[next]))) {
            failure->path = steps[next].target;
        } else {
            continue;
        }
        // Steps not made yet are undone as well: there is nothing to undo in them.
        Undo(record_, journal_);
        return failure;
    }
    // The journal gone, the switch is over: the backups are no longer needed.
    if (!platform::RemoveFile(journal_)) {
        Undo(record_, journal_);
        return SetFailure(u"the journal of the switch cannot be removed");
    }
    for (const SwitchStep& step : record_.steps) {
        if (!step.backup.IsEmpty()) platform::RemoveFile(step.backup);
    }
    for (const String& guard : record_.guards) platform::RemoveFile(guard);
    return std::nullopt;
}

std::optional<platform::SystemError> SetSwitch::Apply(const SwitchStep& step) {
    if (step.temporary.IsEmpty()) return platform::RenameFile(step.target, step.backup);
    // A second name keeps the old file in place until the new one replaces it; where the file
    // system has no such names, the old file moves aside for a moment.
    if (!step.backup.IsEmpty() && platform::LinkFile(step.target, step.backup)) {
        if (auto failure = platform::RenameFile(step.target, step.backup)) return failure;
    }
    return platform::RenameFile(step.temporary, step.target);
}

bool SetSwitch::Undo(const SwitchJournal& record, const String& journal) {
    bool undone = true;
    for (auto step = record.steps.rbegin(); step != record.steps.rend(); ++step) {
        if (!step->backup.IsEmpty()) {
            // Renaming a second name of the same file changes nothing: that name is removed.
            if (platform::NameExists(step->backup)) {
                undone = (!platform::RenameFile(step->backup, step->target) && Gone(step->backup)) && undone;
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
