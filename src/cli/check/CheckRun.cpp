#include "cli/check/CheckRun.h"

#include "cli/front/CliHost.h"
#include "cli/check/SiteListing.h"
#include "cli/check/SitemapCheck.h"
#include "cli/state/StateFile.h"
#include "core/run/SitemapJob.h"
#include "platform/Clock.h"
#include "platform/Console.h"
#include "platform/LocalTime.h"
#include "platform/StopSignals.h"
#include "platform/UnixTime.h"

namespace linkloom::cli {

namespace {

constexpr int kRejected = 2;
constexpr int kOutOfStep = 4;

// The run's front end with the entries kept in a listing instead of written out.
class CheckHost : public CliHost {
public:
    using CliHost::CliHost;

    EntrySink* EntryStream(const JobSettings& settings) override {
        rootUrl = settings.rootUrl;
        return &listing;
    }
    void EndEntries(int count) override { CountKept(count); }
    void NoEntries(NoEntriesCause cause, const String& reason) override {
        // A site with no pages is a finding for every location the sitemap lists.
        if (cause != NoEntriesCause::NothingMatched) CliHost::NoEntries(cause, reason);
    }

    String rootUrl;
    SiteListing listing;
};

}  // namespace

int RunCheck(const CliOptions& options) {
    const bool progress = !options.quiet && !options.explain && platform::StandardErrorIsTerminal();
    CheckHost host(options, progress);
    // The record gives unchanged pages their published dates, as in a run; it is not rewritten.
    StateFile state(options.state);
    if (!state.Attach(host)) return kRejected;
    const std::int64_t now =
        static_cast<std::int64_t>(platform::CurrentFileTime() / 10000000ULL) - platform::kSecondsFrom1601To1970;
    const JobOutcome outcome = SitemapJob(host).Run();
    host.WriteReport();
    const platform::StopRequest stop = platform::PendingStop();
    if (stop != platform::StopRequest::None) return platform::StopExitStatus(stop);
    switch (outcome) {
    case JobOutcome::Rejected:
    case JobOutcome::FolderUnreadable: return kRejected;
    case JobOutcome::NoFiles:
    case JobOutcome::Document:
    case JobOutcome::OutOfMemory: break;
    }
    SitemapCheck check(host.rootUrl, now, platform::CurrentUtcOffsetSeconds());
    const int findings = check.Check(*options.check, host.listing);
    // Stopped while the sitemap was read: no verdict.
    const platform::StopRequest reading = platform::PendingStop();
    if (reading != platform::StopRequest::None) {
        if (reading == platform::StopRequest::Interrupt) platform::WriteStandardError("cancelled\n");
        return platform::StopExitStatus(reading);
    }
    if (findings == 0) {
        platform::WriteStandardError("in step: the sitemap is valid and lists the " +
                                     std::to_string(host.listing.Pages().size()) + " pages of the site\n");
        return 0;
    }
    platform::WriteStandardError(std::to_string(findings) + (findings == 1 ? " finding\n" : " findings\n"));
    return kOutOfStep;
}

}  // namespace linkloom::cli
