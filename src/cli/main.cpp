#include "base/Version.h"
#include "cli/check/CheckRun.h"
#include "cli/front/CliHost.h"
#include "cli/front/CliOptions.h"
#include "cli/state/StateFile.h"
#include "core/run/SitemapJob.h"
#include "platform/Console.h"
#include "platform/StopSignals.h"

namespace {

enum ExitCode { kDocument = 0, kNoFiles = 1, kRejected = 2, kCannotWrite = 3 };

// Help and version text; a standard output that takes no bytes fails the run.
int Print(const char* text) {
    linkloom::String error;
    if (linkloom::platform::WriteStandardOutput(text, error)) return kDocument;
    linkloom::platform::WriteStandardError("linkloom-cli: cannot write standard output: " + error.ToUtf8() + "\n");
    return kCannotWrite;
}

int ExitStatus(linkloom::JobOutcome outcome, const linkloom::cli::CliHost& host) {
    using linkloom::platform::StopRequest;
    const StopRequest stop = host.Stop();
    if (linkloom::platform::EndsWithoutWriting(stop)) return linkloom::platform::StopExitStatus(stop);
    switch (outcome) {
    case linkloom::JobOutcome::Document:
        if (!host.Delivered()) return kCannotWrite;
        return stop == StopRequest::Interrupt ? linkloom::platform::StopExitStatus(stop) : kDocument;
    case linkloom::JobOutcome::NoFiles:
        // Ctrl+C before the first entry: said as a cancel, not as no files.
        return stop == StopRequest::Interrupt ? linkloom::platform::StopExitStatus(stop) : kNoFiles;
    case linkloom::JobOutcome::Rejected:
    case linkloom::JobOutcome::FolderUnreadable: return kRejected;
    case linkloom::JobOutcome::OutOfMemory: break;
    }
    return kCannotWrite;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace linkloom;
    // Nothing to say it on when this fails: standard error may be among the closed ones.
    if (!platform::ProtectStandardStreams()) return kCannotWrite;
    cli::CliOptions options;
    String error;
    if (!cli::ParseOptions(platform::ProgramArguments(argc, argv), options, error)) {
        platform::WriteStandardError("linkloom-cli: " + error.ToUtf8() + "\nTry 'linkloom-cli --help'.\n");
        return kRejected;
    }
    if (options.help) return Print(cli::kUsage);
    if (options.version) return Print("linkloom-cli " LINKLOOM_VERSION_TEXT "\n");

    platform::InstallStopHandlers();
    if (options.check) return cli::RunCheck(options);
    // Explanations take the lines of standard error that the progress would write over.
    const bool progress = !options.quiet && !options.explain && platform::StandardErrorIsTerminal();
    cli::StateFile state(options.state);
    cli::CliHost host(options, progress);
    if (!state.Attach(host)) return kRejected;
    const JobOutcome outcome = SitemapJob(host).Run();
    host.WriteReport();
    const int status = ExitStatus(outcome, host);
    // The record follows only a document that was written whole.
    if (status == kDocument && !state.Save()) return kCannotWrite;
    return status;
}
