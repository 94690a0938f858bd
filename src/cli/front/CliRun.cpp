#include "cli/front/CliRun.h"

#include <algorithm>
#include <thread>

#include "base/ControlCharacters.h"
#include "cli/output/OutputNames.h"
#include "cli/output/RunFiles.h"
#include "cli/state/ListedEntries.h"
#include "core/model/RunMessages.h"
#include "core/rules/RobotsTxtFile.h"
#include "platform/Console.h"

namespace linkloom::cli {

CliRun::CliRun(const CliOptions& options, bool showProgress, RunReport& report)
    : options_(options),
      report_(report),
      progress_(showProgress),
      notices_(progress_, report),
      output_(options, notices_),
      explain_(options.explain),
      walk_(explain_, report) {}

CliOutcome CliRun::Run(LastmodRecord* record, UrlChanges* changes) {
    auto accepted =
        AcceptInputs({options_.folder, options_.extensions, options_.rootUrl, options_.selection, FolderForm::Path});
    if (const auto* rejection = std::get_if<Rejection>(&accepted)) {
        Reject(*rejection);
        return CliOutcome::Rejected;
    }
    RunPlan plan(std::move(std::get<RunSettings>(accepted)));
    report_.Accepted(plan.settings);
    if (options_.indexNowKey) {
        String message;
        indexNow_ = FindIndexNowSite(plan.settings.folder, plan.settings.rootUrl, *options_.indexNowKey,
                                     options_.indexNowKeyLocation, message);
        if (!indexNow_) {
            Say(message);
            return CliOutcome::Rejected;
        }
    }
    EntrySink& output = Entries(plan.settings.rootUrl);
    std::optional<ListedEntries> listed;
    if (changes) listed.emplace(output, *changes);
    EntrySink& entries = listed ? static_cast<EntrySink&>(*listed) : output;
    options_.site.PutInto(plan, ReadRobots(plan.settings.folder));
    plan.ownFiles = RunFiles(options_);
    plan.record = record;
    plan.pageReaders = PageReaders();
    plan.tellsSharedDates = tellsSharedDates_;

    SitemapRun run(plan, {entries, &walk_, notices_, progress_});
    const RunEnd end = run.Run();
    switch (end) {
    case RunEnd::Entries:
        if (changes) {
            changes->Finish();
            changes_ = changes;
            report_.Count("changedNew", changes->Count(UrlChanges::Mark::New));
            report_.Count("changedMoved", changes->Count(UrlChanges::Mark::Moved));
            report_.Count("changedGone", changes->Count(UrlChanges::Mark::Gone));
        }
        EndEntries(run.Count());
        return CliOutcome::Entries;
    case RunEnd::FolderUnreadable: NoEntries(end, run.FolderError()); return CliOutcome::FolderUnreadable;
    case RunEnd::Stopped: Say(run.StopReason()); return CliOutcome::Rejected;
    case RunEnd::NothingMatched:
    case RunEnd::Cancelled: break;
    }
    NoEntries(end, std::nullopt);
    return CliOutcome::NoFiles;
}

int CliRun::PageReaders() const {
    if (options_.jobs > 0) return options_.jobs;
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 256u));
}

void CliRun::Reject(const Rejection& rejection) {
    // On a terminal the refused value is named, since no box shows it.
    switch (rejection.input) {
    case RunInput::Folder: return Fail(String(rejection.message) + u": " + EscapeControlCharacters(options_.folder));
    case RunInput::RootUrl: return Fail(String(rejection.message) + u": " + EscapeControlCharacters(options_.rootUrl));
    case RunInput::Extensions: break;
    }
    Fail(rejection.message);
}

void CliRun::Fail(const String& text) {
    progress_.Notice(text);
    report_.Error(text);
}

void CliRun::NoEntries(RunEnd end, const std::optional<platform::SystemError>& folderError) {
    switch (end) {
    case RunEnd::FolderUnreadable: {
        platform::SystemError failure = *folderError;
        failure.path = options_.folder;
        return Fail(platform::Sentence(failure, u"the folder"));
    }
    case RunEnd::Cancelled: return Fail(u"cancelled");
    case RunEnd::NothingMatched:
    case RunEnd::Stopped:
    case RunEnd::Entries: break;
    }
    Fail(RunMessage::kNoFiles);
}

void CliRun::WriteReport() const {
    if (options_.explain) explain_.WriteCounts(kept_);
    if (options_.explain && changes_) {
        platform::WriteStandardError("changes since the record: " + changes_->Summary() + "\n");
    }
    for (const std::string& warning : explain_.Warnings()) {
        platform::WriteStandardError(warning + "\n");
        report_.Warning(String::FromUtf8(warning));
    }
}

void CliRun::EndEntries(int count) {
    CountKept(count);
    output_.End(count);
    report_.Written(output_.Written());
    if (!output_.Error().IsEmpty()) report_.Error(output_.Error());
    if (output_.Delivered()) SuggestSitemapLine();
}

const RobotsTxt* CliRun::ReadRobots(const String& folder) {
    if (!options_.site.robotsTxt) return nullptr;
    const String shownFolder = EscapeControlCharacters(options_.folder);
    bool cut = false;
    String reason;
    switch (ReadRobotsTxt(folder, robots_, cut, reason)) {
    case RobotsTxtRead::Read:
        robotsRead_ = true;
        if (cut) {
            Say(String(u"warning: robots.txt in ") + shownFolder + u" holds more than " +
                String::FromInt(static_cast<long long>(RobotsTxt::kMostBytes)) +
                u" bytes; what follows is ignored, as crawlers ignore it");
        }
        break;
    case RobotsTxtRead::Missing:
        Say(String(u"no robots.txt in ") + shownFolder + u": nothing is left out by it");
        break;
    case RobotsTxtRead::Unreadable:
        Say(String(u"warning: cannot read robots.txt in ") + shownFolder + u": " + reason +
            u"; nothing is left out by it");
        break;
    }
    return robotsRead_ ? &robots_ : nullptr;
}

void CliRun::SuggestSitemapLine() {
    // Without a robots.txt read, that was said already.
    if (!robotsRead_ || !options_.output) return;
    const String& url = output_.SitemapFileUrl();
    if (robots_.NamesSitemap(url)) return;
    Say(String(u"robots.txt does not name this sitemap; add this line to it:\nSitemap: ") + url);
}

}  // namespace linkloom::cli
