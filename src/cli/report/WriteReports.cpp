#include "cli/report/WriteReports.h"

#include "base/ControlCharacters.h"
#include "cli/fileset/WholeFile.h"
#include "cli/front/ExitStatus.h"
#include "cli/report/GithubReport.h"
#include "cli/report/JsonReport.h"
#include "platform/Console.h"
#include "platform/Environment.h"
#include "platform/OutputFile.h"
#include "platform/RandomName.h"

namespace linkloom::cli {

namespace {

// The text goes to FILE, or to standard error, so that standard output stays the sitemap. True
// when there is no failure to tell of.
bool Tell(std::optional<platform::SystemError> failure, const String& path) {
    if (!failure) return true;
    failure->path = path;
    platform::WriteStandardError("linkloom-cli: " + platform::Sentence(*failure, u"the report").ToUtf8() + "\n");
    return false;
}

bool Deliver(const ReportRequest& request, const std::string& text) {
    if (!request.file) {
        platform::WriteStandardError(text);
        return true;
    }
    return Tell(WriteWholeFile(*request.file, text), *request.file);
}

// Appends `text` to the file the runner names in the environment variable `name`, if it names one.
bool AppendToRunnerFile(const char16_t* name, const std::string& text) {
    const std::optional<String> path = platform::EnvironmentVariable(name);
    if (!path || path->IsEmpty()) return true;
    platform::Outcome<platform::OutputFile> file = platform::OutputFile::OpenAppend(*path);
    return Tell(file ? platform::WriteAndClose(*file, text) : file.Failure(), *path);
}

// A delimiter no output value holds; only the sitemap's path is not ours to choose.
bool OutputDelimiter(const RunReport& report, std::string& delimiter) {
    const std::string path = report.Options().output ? report.Options().output->ToUtf8() : std::string();
    do {
        platform::Outcome<String> name = platform::RandomName(24);
        if (!name) return Tell(name.Failure(), u"GITHUB_OUTPUT");
        delimiter = "linkloom_" + name->ToUtf8();
    } while (path.find(delimiter) != std::string::npos);
    return true;
}

bool DeliverGithub(const ReportRequest& request, const RunReport& report) {
    std::string delimiter;
    const bool commands = Deliver(request, WorkflowCommands(report));
    const bool summary = AppendToRunnerFile(u"GITHUB_STEP_SUMMARY", StepSummary(report));
    return commands && summary && OutputDelimiter(report, delimiter) &&
           AppendToRunnerFile(u"GITHUB_OUTPUT", StepOutputs(report, delimiter));
}

}  // namespace

bool WriteReports(const RunReport& report) {
    bool written = true;
    for (const ReportRequest& request : report.Options().reports) {
        switch (request.format) {
        case ReportFormat::Json: written &= Deliver(request, JsonReport(report)); break;
        case ReportFormat::Github: written &= DeliverGithub(request, report); break;
        }
    }
    return written;
}

int EndRun(RunReport& report, int status) {
    report.Ended(status);
    if (WriteReports(report) || status != ExitStatus::kDone) return status;
    return ExitStatus::kCannotWrite;
}

}  // namespace linkloom::cli
