#include <atomic>

#include "base/Version.h"
#include "cli/CliHost.h"
#include "cli/CliOptions.h"
#include "core/SitemapJob.h"
#include "platform/Console.h"

namespace {

enum ExitCode { kDocument = 0, kNoFiles = 1, kRejected = 2, kCannotWrite = 3 };

std::atomic<bool> interrupted{false};

}  // namespace

int main(int argc, char** argv) {
    using namespace linkloom;
    cli::CliOptions options;
    String error;
    if (!cli::ParseOptions(platform::ProgramArguments(argc, argv), options, error)) {
        platform::WriteStandardError("linkloom-cli: " + error.ToUtf8() + "\nTry 'linkloom-cli --help'.\n");
        return kRejected;
    }
    if (options.help) {
        platform::WriteStandardOutput(cli::kUsage);
        return kDocument;
    }
    if (options.version) {
        platform::WriteStandardOutput("linkloom-cli " LINKLOOM_VERSION_TEXT "\n");
        return kDocument;
    }

    platform::InstallInterruptHandler(&interrupted);
    // Explanations take the lines of standard error that the progress would write over.
    const bool progress = !options.quiet && !options.explain && platform::StandardErrorIsTerminal();
    cli::CliHost host(options, interrupted, progress);
    const JobOutcome outcome = SitemapJob(host).Run();
    host.WriteReport();
    switch (outcome) {
    case JobOutcome::Document: return host.Delivered() ? kDocument : kCannotWrite;
    case JobOutcome::NoFiles: return kNoFiles;
    case JobOutcome::Rejected:
    case JobOutcome::FolderUnreadable: return kRejected;
    case JobOutcome::OutOfMemory: break;
    }
    return kCannotWrite;
}
