#include "cli/front/CliRun.h"

#include <algorithm>
#include <thread>

#include "base/ControlCharacters.h"
#include "cli/output/OutputNames.h"
#include "cli/output/RunFiles.h"
#include "core/model/RunMessages.h"
#include "core/rules/RobotsTxtFile.h"

namespace linkloom::cli {

CliRun::CliRun(const CliOptions& options, bool showProgress)
    : options_(options), progress_(showProgress), output_(options), explain_(options.explain) {}

CliOutcome CliRun::Run(LastmodRecord* record) {
    auto accepted =
        AcceptInputs({options_.folder, options_.extensions, options_.rootUrl, options_.selection, FolderForm::Path});
    if (const auto* rejection = std::get_if<Rejection>(&accepted)) {
        Reject(*rejection);
        return CliOutcome::Rejected;
    }
    RunPlan plan(std::move(std::get<RunSettings>(accepted)));
    EntrySink& entries = Entries(plan.settings.rootUrl);
    options_.site.PutInto(plan, ReadRobots(plan.settings.folder));
    plan.ownFiles = RunFiles(options_);
    plan.record = record;
    plan.pageReaders = PageReaders();

    SitemapRun run(plan, {entries, &explain_, progress_, progress_});
    const RunEnd end = run.Run();
    switch (end) {
    case RunEnd::Entries: EndEntries(run.Count()); return CliOutcome::Entries;
    case RunEnd::FolderUnreadable:
        NoEntries(end, platform::Describe(*run.FolderError()));
        return CliOutcome::FolderUnreadable;
    case RunEnd::NothingMatched:
    case RunEnd::Cancelled: break;
    }
    NoEntries(end, String());
    return CliOutcome::NoFiles;
}

int CliRun::PageReaders() const {
    if (options_.jobs > 0) return options_.jobs;
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 256u));
}

void CliRun::Reject(const Rejection& rejection) {
    // On a terminal the refused value is named, since no box shows it.
    switch (rejection.input) {
    case RunInput::Folder: return Say(String(rejection.message) + u": " + EscapeControlCharacters(options_.folder));
    case RunInput::RootUrl: return Say(String(rejection.message) + u": " + EscapeControlCharacters(options_.rootUrl));
    case RunInput::Extensions: break;
    }
    Say(rejection.message);
}

void CliRun::NoEntries(RunEnd end, const String& reason) {
    switch (end) {
    case RunEnd::FolderUnreadable:
        return Say(String(u"cannot read the folder ") + EscapeControlCharacters(options_.folder) + u": " + reason);
    case RunEnd::Cancelled: return Say(u"cancelled");
    case RunEnd::NothingMatched:
    case RunEnd::Entries: break;
    }
    Say(RunMessage::kNoFiles);
}

void CliRun::WriteReport() const {
    if (options_.explain) explain_.WriteCounts(kept_);
    explain_.WriteWarnings();
}

void CliRun::EndEntries(int count) {
    CountKept(count);
    output_.End(count);
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
