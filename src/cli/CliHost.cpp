#include "cli/CliHost.h"

#include "platform/Console.h"

namespace linkloom::cli {

CliHost::CliHost(const CliOptions& options, bool showProgress)
    : options_(options), showProgress_(showProgress), flags_(options.flags), output_(options) {}

JobInputs CliHost::ReadInputs() {
    return {options_.folder, options_.extensions, options_.rootUrl, (flags_ & JobFlag::Subfolders) != 0,
            (flags_ & JobFlag::ExcludeNoindex) != 0};
}

void CliHost::ShowMessage(const String& text, MessageStyle) {
    // A run that a signal ends says nothing more than that.
    if (platform::EndsWithoutWriting(platform::PendingStop())) return;
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

void CliHost::WriteExplainCounts() const {
    if (options_.explain) explain_.WriteCounts(kept_);
}

void CliHost::EndEntries(int count) {
    kept_ = count;
    output_.End(count);
}

}  // namespace linkloom::cli
