#include "cli/CliHost.h"

#include <algorithm>
#include <thread>

#include "base/ControlCharacters.h"
#include "platform/Console.h"

namespace linkloom::cli {

CliHost::CliHost(const CliOptions& options, const std::atomic<bool>& interrupted, bool showProgress)
    : options_(options),
      interrupted_(interrupted),
      showProgress_(showProgress),
      flags_(options.flags),
      explain_(options.explain) {}

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

EntrySink* CliHost::EntryStream(const JobSettings& settings) {
    if (!options_.output) return &stdout_;
    files_ = std::make_unique<SitemapSet>(OutputNames(*options_.output, options_.gzip), options_.gzip,
                                          settings.rootUrl, options_.limits);
    return files_.get();
}

void CliHost::WriteReport() const {
    if (options_.explain) explain_.WriteCounts(kept_);
    explain_.WriteWarnings();
}

void CliHost::EndEntries(int count) {
    kept_ = count;
    if (files_) {
        delivered_ = files_->Finish();
        if (!delivered_) ShowMessage(files_->Error(), MessageStyle::Error);
        return;
    }
    stdout_.Finish(count);
    delivered_ = true;
    if (stdout_.Exceeds(options_.limits)) {
        ShowMessage(String(u"warning: the sitemap holds ") + String::FromInt(stdout_.Entries()) + u" entries and " +
                        String::FromInt(static_cast<long long>(stdout_.Bytes())) +
                        u" bytes, more than one sitemap file may hold (" +
                        String::FromInt(options_.limits.maxEntries) + u" entries, " +
                        String::FromInt(static_cast<long long>(options_.limits.maxBytes)) +
                        u" bytes); write it with -o FILE to split it",
                    MessageStyle::Warning);
    }
}

}  // namespace linkloom::cli
