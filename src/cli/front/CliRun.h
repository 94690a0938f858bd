#pragma once

#include "cli/front/CliOptions.h"
#include "cli/front/ExplainReport.h"
#include "cli/front/ProgressLine.h"
#include "cli/indexnow/IndexNowSite.h"
#include "cli/output/RunOutput.h"
#include "cli/report/ReportPorts.h"
#include "cli/state/UrlChanges.h"
#include "core/rules/RobotsTxt.h"
#include "core/run/InputCheck.h"
#include "core/run/SitemapRun.h"
#include "platform/StopSignals.h"

namespace linkloom::cli {

enum class CliOutcome {
    Rejected,          // an input was refused, or a lastmod source stopped the run; its message was shown
    NoFiles,           // the walk listed nothing, or was cancelled before the first entry
    FolderUnreadable,  // the folder exists but could not be listed
    Entries,           // the entries went to the output, which has ended
};

// The sitemap run's front end on a terminal: the plan from the options, messages and progress
// on standard error, the entries streamed to standard output or into the output files; all of
// it also told to `report`.
class CliRun {
public:
    CliRun(const CliOptions& options, bool showProgress, RunReport& report);
    virtual ~CliRun() = default;

    // Checks the inputs, builds the plan and runs it; `record` (may be null) keeps the lastmods
    // of unchanged pages and is told this run's; `changes` (may be null) is told what is listed.
    CliOutcome Run(LastmodRecord* record, UrlChanges* changes = nullptr);
    // What a run that has ended left out: with --explain the counts, and the warnings.
    void WriteReport() const;

    // With --indexnow, what its requests name, once FOLDER was found to hold the key file.
    const std::optional<IndexNowSite>& IndexNow() const { return indexNow_; }
    // False when the output could not be written or was dropped; the message has been shown.
    bool Delivered() const { return output_.Delivered(); }
    // What stopped the run from outside, if anything.
    platform::StopRequest Stop() const { return output_.Stop(); }
    // Switches `companion` in with the output files, when the output is a set of them.
    void SwitchWith(SitemapSet::Companion companion) { output_.SwitchWith(std::move(companion)); }

protected:
    // Where the entries of a run under `rootUrl` go.
    virtual EntrySink& Entries(const String& rootUrl) { return *output_.Start(rootUrl); }
    // The walk has ended with `count` entries (at least one, or a failed sink).
    virtual void EndEntries(int count);
    // The run ended without an entry; `folderError` says why the folder could not be read.
    virtual void NoEntries(RunEnd end, const std::optional<platform::SystemError>& folderError);
    // The walk kept `count` entries, as the report counts them.
    void CountKept(int count) {
        kept_ = count;
        report_.Kept(count);
    }
    // A note or warning, shown and reported.
    void Say(const String& text) { notices_.Notice(text); }
    // Why the run writes nothing, shown and reported.
    void Fail(const String& text);
    // Whether the run warns when most entries share one date; a check writes no entries.
    bool tellsSharedDates_ = true;

private:
    void Reject(const Rejection& rejection);
    // FOLDER's robots.txt read for --robots-txt, saying what became of it; null when not read.
    const RobotsTxt* ReadRobots(const String& folder);
    int PageReaders() const;
    // Says which Sitemap line robots.txt lacks for the file written, if any.
    void SuggestSitemapLine();

    const CliOptions& options_;
    RunReport& report_;
    ProgressLine progress_;
    ReportedNotices notices_;
    RunOutput output_;
    ExplainReport explain_;
    ReportedWalk walk_;
    int kept_ = 0;
    UrlChanges* changes_ = nullptr;
    std::optional<IndexNowSite> indexNow_;
    RobotsTxt robots_;
    bool robotsRead_ = false;
};

}  // namespace linkloom::cli
