#include "base/Version.h"
#include "cli/check/CheckRun.h"
#include "cli/front/CliOptions.h"
#include "cli/front/CliRun.h"
#include "cli/front/ExitStatus.h"
#include "cli/front/HelpText.h"
#include "cli/indexnow/IndexNowSubmission.h"
#include "cli/init/InitRun.h"
#include "cli/output/Stylesheet.h"
#include "cli/report/WriteReports.h"
#include "cli/state/StateFile.h"
#include "platform/Console.h"
#include "platform/StopSignals.h"

namespace {

using linkloom::cli::ExitStatus;

// Help and version text; a standard output that takes no bytes fails the run.
int Print(const char* text) {
    const auto failure = linkloom::platform::WriteStandardOutput(text);
    if (!failure) return ExitStatus::kDone;
    linkloom::platform::WriteStandardError("linkloom-cli: " + linkloom::platform::Sentence(*failure).ToUtf8() + "\n");
    return ExitStatus::kCannotWrite;
}

int StatusOf(linkloom::cli::CliOutcome outcome, const linkloom::cli::CliRun& run) {
    using linkloom::cli::CliOutcome;
    using linkloom::platform::StopRequest;
    const StopRequest stop = run.Stop();
    if (linkloom::platform::EndsWithoutWriting(stop)) return linkloom::platform::StopExitStatus(stop);
    switch (outcome) {
    case CliOutcome::Entries:
        if (!run.Delivered()) return ExitStatus::kCannotWrite;
        return stop == StopRequest::Interrupt ? linkloom::platform::StopExitStatus(stop) : ExitStatus::kDone;
    case CliOutcome::NoFiles:
        // Ctrl+C before the first entry: said as a cancel, not as no files.
        return stop == StopRequest::Interrupt ? linkloom::platform::StopExitStatus(stop) : ExitStatus::kNoFiles;
    case CliOutcome::Rejected:
    case CliOutcome::FolderUnreadable: break;
    }
    return ExitStatus::kRejected;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace linkloom;
    // Nothing to say it on when this fails: standard error may be among the closed ones.
    if (!platform::ProtectStandardStreams()) return ExitStatus::kCannotWrite;
    cli::CliOptions options;
    String error;
    if (!cli::ParseOptions(platform::ProgramArguments(argc, argv), options, error)) {
        platform::WriteStandardError("linkloom-cli: " + error.ToUtf8() + "\nTry 'linkloom-cli --help'.\n");
        return ExitStatus::kRejected;
    }
    if (options.help) return Print(cli::HelpText().c_str());
    if (options.version) return Print("linkloom-cli " LINKLOOM_VERSION_TEXT "\n");
    if (options.writeStylesheet) {
        auto failure = cli::WriteStylesheet(*options.writeStylesheet);
        if (!failure) return ExitStatus::kDone;
        failure->path = *options.writeStylesheet;
        platform::WriteStandardError("linkloom-cli: " + platform::Sentence(*failure).ToUtf8() + "\n");
        return ExitStatus::kCannotWrite;
    }

    if (options.init) return cli::RunInit(options);
    platform::InstallStopHandlers();
    if (options.check) return cli::RunCheck(options);
    // Explanations take the lines of standard error that the progress would write over.
    const bool progress = !options.quiet && !options.explain && platform::StandardErrorIsTerminal();
    cli::RunReport report(options);
    cli::StateFile state(options.state, options.stateHash);
    if (options.changes || options.indexNowKey) state.TrackChanges(options.changes);
    if (options.indexNowKey) state.KeepPending();
    if (!state.Load()) return cli::EndRun(report, ExitStatus::kRejected);
    int status = ExitStatus::kDone;
    std::optional<cli::IndexNowSite> indexNow;
    {
        // Ended before the reports, which may be written where its files were switched in.
        cli::CliRun run(options, progress, report);
        run.SwitchWith(state.Companion());
        const cli::CliOutcome outcome = run.Run(state.Record(), state.Changes());
        run.WriteReport();
        status = StatusOf(outcome, run);
        indexNow = run.IndexNow();
    }
    // The record follows only a document that was written whole.
    if (status == ExitStatus::kDone && !state.Save()) status = ExitStatus::kCannotWrite;
    // The network is reached only here, once the document, the record and the URLs to submit are in place.
    if (status == ExitStatus::kDone && indexNow) {
        const std::size_t urls = state.Pending().size();
        const std::size_t accepted =
            cli::SubmitToIndexNow(*indexNow, options.indexNowEndpoint, state.Pending(), options.quiet);
        if (!state.Submitted(accepted)) status = ExitStatus::kCannotWrite;
        if (accepted < urls) status = ExitStatus::kNotSubmitted;
    }
    return cli::EndRun(report, status);
}
