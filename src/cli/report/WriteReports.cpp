#include "cli/report/WriteReports.h"

#include "base/ControlCharacters.h"
#include "cli/fileset/WholeFile.h"
#include "cli/front/ExitStatus.h"
#include "cli/report/JsonReport.h"
#include "platform/Console.h"

namespace linkloom::cli {

namespace {

// The text goes to FILE, or to standard error, so that standard output stays the sitemap.
bool Deliver(const ReportRequest& request, const std::string& text) {
    if (!request.file) {
        platform::WriteStandardError(text);
        return true;
    }
    String error;
    if (WriteWholeFile(*request.file, text, error)) return true;
    platform::WriteStandardError("linkloom-cli: cannot write the report " +
                                 EscapeControlCharacters(*request.file).ToUtf8() + ": " +
                                 EscapeControlCharacters(error).ToUtf8() + "\n");
    return false;
}

}  // namespace

bool WriteReports(const RunReport& report) {
    bool written = true;
    for (const ReportRequest& request : report.Options().reports) {
        switch (request.format) {
        case ReportFormat::Json: written &= Deliver(request, JsonReport(report)); break;
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
