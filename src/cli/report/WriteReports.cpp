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

// The text goes to FILE, or to standard error, so that standard output stays the sitemap.
bool Tell(const String& path, const String& error) {
    platform::WriteStandardError("linkloom-cli: cannot write the report " + EscapeControlCharacters(path).ToUtf8() +
                                 ": " + EscapeControlCharacters(error).ToUtf8() + "\n");
    return false;
}

bool Deliver(const ReportRequest& request, const std::string& text) {
    if (!request.file) {
        platform::WriteStandardError(text);
        return true;
    }
    String error;
    return WriteWholeFile(*request.file, text, error) || Tell(*request.file, error);
}

// Appends `text` to the file the runner names in the environment variable `name`, if it names one.
bool AppendToRunnerFile(const char16_t* name, const std::string& text) {
    const std::optional<String> path = platform::EnvironmentVariable(name);
    if (!path || path->IsEmpty()) return true;
    platform::OutputFile file;
    String error;
    return (platform::OutputFile::OpenAppend(*path, file, error) && file.Write(text.data(), text.size(), error) &&
            file.Close(error)) ||
           Tell(*path, error);
}

// A delimiter no output value holds; only the sitemap's path is not ours to choose.
bool OutputDelimiter(const RunReport& report, std::string& delimiter) {
    const std::string path = report.Options().output ? report.Options().output->ToUtf8() : std::string();
    String name, error;
    do {
        if (!platform::RandomName(24, name, error)) return Tell(u"GITHUB_OUTPUT", error);
        delimiter = "linkloom_" + name.ToUtf8();
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
