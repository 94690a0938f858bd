#include "cli/check/CheckRun.h"

#include "cli/check/SiteListing.h"
#include "cli/check/SitemapCheck.h"
#include "cli/front/CliRun.h"
#include "cli/front/ExitStatus.h"
#include "cli/report/WriteReports.h"
#include "cli/state/StateFile.h"
#include "platform/Clock.h"
#include "platform/Console.h"
#include "platform/LocalTime.h"
#include "platform/StopSignals.h"
#include "platform/UnixTime.h"

namespace linkloom::cli {

namespace {

// The run with the entries kept in a listing instead of written out.
class CheckFront : public CliRun {
public:
    CheckFront(const CliOptions& options, bool showProgress, RunReport& report)
        : CliRun(options, showProgress, report) {
        tellsSharedDates_ = false;
    }

    EntrySink& Entries(const String& root) override {
        rootUrl = root;
        return listing;
    }
    void EndEntries(int count) override { CountKept(count); }
    void NoEntries(RunEnd end, const std::optional<platform::SystemError>& folderError) override {
        // A site with no pages is a finding for every location the sitemap lists.
        if (end != RunEnd::NothingMatched) CliRun::NoEntries(end, folderError);
    }

    String rootUrl;
    SiteListing listing;
};

}  // namespace

int RunCheck(const CliOptions& options) {
    const bool progress = !options.quiet && !options.explain && platform::StandardErrorIsTerminal();
    RunReport report(options);
    CheckFront front(options, progress, report);
    // The record gives unchanged pages their published dates, as in a run; it is not rewritten.
    StateFile state(options.state, options.stateHash);
    if (!state.Load()) return EndRun(report, ExitStatus::kRejected);
    const std::int64_t now = platform::UnixSecondsOf(platform::CurrentFileTime());
    const CliOutcome outcome = front.Run(state.Record());
    front.WriteReport();
    const platform::StopRequest stop = platform::PendingStop();
    if (stop != platform::StopRequest::None) return EndRun(report, platform::StopExitStatus(stop));
    switch (outcome) {
    case CliOutcome::Rejected:
    case CliOutcome::FolderUnreadable: return EndRun(report, ExitStatus::kRejected);
    case CliOutcome::NoFiles:
    case CliOutcome::Entries: break;
    }
    SitemapCheck check(front.rootUrl, now, platform::CurrentUtcOffsetSeconds());
    const int findings = check.Check(*options.check, front.listing);
    for (const CheckFinding& finding : check.Findings()) report.Finding(finding);
    // Stopped while the sitemap was read: no verdict.
    const platform::StopRequest reading = platform::PendingStop();
    if (reading != platform::StopRequest::None) {
        if (reading == platform::StopRequest::Interrupt) platform::WriteStandardError("cancelled\n");
        return EndRun(report, platform::StopExitStatus(reading));
    }
    if (findings == 0) {
        platform::WriteStandardError("in step: the sitemap is valid and lists the " +
                                     std::to_string(front.listing.Pages().size()) + " pages of the site\n");
        return EndRun(report, ExitStatus::kDone);
    }
    platform::WriteStandardError(std::to_string(findings) + (findings == 1 ? " finding\n" : " findings\n"));
    return EndRun(report, ExitStatus::kOutOfStep);
}

}  // namespace linkloom::cli
