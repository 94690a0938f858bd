#include "cli/CliHost.h"

#include "platform/Console.h"
#include "platform/OutputFile.h"

namespace linkloom::cli {

CliHost::CliHost(const CliOptions& options, const std::atomic<bool>& interrupted, bool showProgress)
    : options_(options), interrupted_(interrupted), showProgress_(showProgress), flags_(options.flags) {}

JobInputs CliHost::ReadInputs() {
    return {options_.folder, options_.extensions, options_.rootUrl, (flags_ & JobFlag::Subfolders) != 0,
            (flags_ & JobFlag::ExcludeNoindex) != 0};
}

void CliHost::ShowMessage(const String& text, MessageStyle) {
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

void CliHost::TakeDocument(const String& document) {
    const std::string bytes = document.ToUtf8();
    if (!options_.output) {
        platform::WriteStandardOutput(bytes);
        delivered_ = true;
        return;
    }
    String reason;
    delivered_ = platform::WriteFileReplacing(*options_.output, bytes, reason);
    if (!delivered_) ShowMessage(String(u"cannot write ") + *options_.output + u": " + reason, MessageStyle::Error);
}

}  // namespace linkloom::cli
