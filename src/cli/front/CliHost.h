#pragma once

#include "cli/front/CliOptions.h"
#include "cli/front/ExplainReport.h"
#include "cli/output/RunOutput.h"
#include "core/run/JobHost.h"
#include "core/rules/RobotsTxt.h"
#include "platform/StopSignals.h"

namespace linkloom::cli {

// The sitemap run's front end on a terminal: inputs from the options, messages and progress on
// standard error, the entries streamed to standard output or into the output files.
class CliHost : public JobHost {
public:
    CliHost(const CliOptions& options, bool showProgress);

    JobInputs ReadInputs() override;
    void Reject(JobInput input, const String& message) override;
    JobFlags Flags() const override { return flags_; }
    void SetFlags(JobFlags flags) override { flags_ = flags; }
    void ShowMessage(const String& text, MessageStyle style) override;
    void FocusInput(JobInput) override {}
    void SaveSettings(const JobSettings&) override {}
    bool ShowProgress(const String& title) override;
    void HideProgress() override;
    void SetProgressTitle(const String& title) override;
    bool IsCancelled() override { return platform::PendingStop() != platform::StopRequest::None; }
    void PumpEvents() override {}
    int PageReaders() const override;
    EntrySink* EntryStream(const JobSettings& settings) override { return output_.Start(settings.rootUrl); }
    // The rules the options ask for, with FOLDER's robots.txt read for --robots-txt.
    const PageRules* Rules(const JobSettings& settings) override;
    void EndEntries(int count) override;
    void NoEntries(NoEntriesCause cause, const String& reason) override;
    const std::vector<PathPattern>* Exclusions() const override { return &options_.exclusions; }
    WalkReport* Report() override { return &explain_; }
    LastmodOrder LastmodSources() const override { return options_.lastmod; }
    LastmodRecord* Record() override { return record_; }
    // Keeps the lastmods of unchanged pages from `record` and tells it this run's.
    void UseRecord(LastmodRecord* record) { record_ = record; }

    // What a run that has ended left out: with --explain the counts, and the warnings.
    void WriteReport() const;

    // False when the output could not be written or was dropped; the message has been shown.
    bool Delivered() const { return output_.Delivered(); }
    // What stopped the run from outside, if anything.
    platform::StopRequest Stop() const { return output_.Stop(); }

protected:
    // The walk kept `count` entries, as the report counts them.
    void CountKept(int count) { kept_ = count; }

private:
    // Says which Sitemap line robots.txt lacks for the file written, if any.
    void SuggestSitemapLine();

    const CliOptions& options_;
    bool showProgress_;
    JobFlags flags_;
    std::size_t titleWidth_ = 0;
    RunOutput output_;
    ExplainReport explain_;
    int kept_ = 0;
    PageRules rules_;
    RobotsTxt robots_;
    LastmodRecord* record_ = nullptr;
};

}  // namespace linkloom::cli
