#include "cli/front/CliHost.h"

#include <algorithm>
#include <thread>

#include "base/ControlCharacters.h"
#include "core/rules/RobotsTxtFile.h"
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
    if (output_.Delivered()) SuggestSitemapLine();
}

const PageRules* CliHost::Rules(const JobSettings& settings) {
    if (!AsksPageRules(options_)) return nullptr;
    rules_ = options_.rules;
    if (!options_.robotsTxt) return &rules_;
    const String shownFolder = EscapeControlCharacters(options_.folder);
    bool cut = false;
    String reason;
    switch (ReadRobotsTxt(settings.folder, robots_, cut, reason)) {
    case RobotsTxtRead::Read:
        rules_.robots = &robots_;
        if (cut) {
            ShowMessage(String(u"warning: robots.txt in ") + shownFolder + u" holds more than " +
                            String::FromInt(static_cast<long long>(RobotsTxt::kMostBytes)) +
                            u" bytes; what follows is ignored, as crawlers ignore it",
                        MessageStyle::Warning);
        }
        break;
    case RobotsTxtRead::Missing:
        ShowMessage(String(u"no robots.txt in ") + shownFolder + u": nothing is left out by it", MessageStyle::Warning);
        break;
    case RobotsTxtRead::Unreadable:
        ShowMessage(String(u"warning: cannot read robots.txt in ") + shownFolder + u": " + reason +
                        u"; nothing is left out by it",
                    MessageStyle::Warning);
        break;
    }
    return &rules_;
}

void CliHost::SuggestSitemapLine() {
    // Without a robots.txt read, that was said already.
    if (!rules_.robots || !options_.output) return;
    const String& url = output_.SitemapFileUrl();
    if (robots_.NamesSitemap(url)) return;
    ShowMessage(String(u"robots.txt does not name this sitemap; add this line to it:\nSitemap: ") + url,
                MessageStyle::Warning);
}

}  // namespace linkloom::cli
