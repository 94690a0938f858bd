#include "cli/CliHost.h"

#include <algorithm>
#include <thread>

#include "base/ControlCharacters.h"
#include "platform/Console.h"

namespace linkloom::cli {

CliHost::CliHost(const CliOptions& options, bool showProgress)
    : options_(options), showProgress_(showProgress), flags_(options.flags), output_(options), explain_(options.explain) {}

JobInputs CliHost::ReadInputs() {
    return {options_.folder, options_.extensions, options_.rootUrl, (flags_ & JobFlag::Subfolders) != 0,
            (flags_ & JobFlag::ExcludeNoindex) != 0, FolderForm::Path};
}

int CliHost::PageReaders() const {
    if (options_.jobs > 0) return options_.jobs;
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 256u));
}

void CliHost::Reject(JobInput input, const String& message) {
    // On a terminal the rejected value is named, since no box shows it.
    switch (input) {
    case JobInput::Folder: return ShowMessage(message + u": " + EscapeControlCharacters(options_.folder), MessageStyle::Error);
    case JobInput::RootUrl:
        return ShowMessage(message + u": " + EscapeControlCharacters(options_.rootUrl), MessageStyle::Error);
    case JobInput::Extensions: break;
    }
    ShowMessage(message, MessageStyle::Error);
}

void CliHost::NoEntries(NoEntriesCause cause, const String& reason) {
    switch (cause) {
    case NoEntriesCause::FolderUnreadable:
        return ShowMessage(String(u"cannot read the folder ") + EscapeControlCharacters(options_.folder) + u": " + reason,
                           MessageStyle::Error);
    case NoEntriesCause::Cancelled: return ShowMessage(u"cancelled", MessageStyle::Warning);
    case NoEntriesCause::NothingMatched: break;
    }
    JobHost::NoEntries(cause, reason);
}

void CliHost::ShowMessage(const String& text, MessageStyle) {
    // A run that a signal ends says nothing more than that.
    if (platform::EndsWithoutWriting(platform::PendingStop())) return;
    // A message during the walk takes the progress line; the next title starts a new one.
    HideProgress();
    platform::WriteStandardError(text.ToUtf8() + "\n");
}

bool CliHost::ShowProgress(const String& title) {
    SetProgressTitle(title);
    return true;
}

void CliHost::SetProgressTitle(const String& title) {
    if (!showProgress_) return;
    // Written over the previous title on the same line, blanks covering any longer one.
    std::string line = "\r" + title.ToUtf8();
    if (title.Length() < titleWidth_) line.append(titleWidth_ - title.Length(), ' ');
    titleWidth_ = title.Length();
    platform::WriteStandardError(line);
}

void CliHost::HideProgress() {
    if (!showProgress_ || titleWidth_ == 0) return;
    platform::WriteStandardError("\r" + std::string(titleWidth_, ' ') + "\r");
    titleWidth_ = 0;
}

void CliHost::WriteReport() const {
    if (options_.explain) explain_.WriteCounts(kept_);
    explain_.WriteWarnings();
}

void CliHost::EndEntries(int count) {
    CountKept(count);
    output_.End(count);
}

}  // namespace linkloom::cli
