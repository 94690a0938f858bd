#include "cli/report/ReportRequest.h"

namespace linkloom::cli {

bool ParseReportRequest(const String& value, ReportRequest& request, String& error) {
    // The format ends at the first colon, so that FILE may hold colons (a drive letter).
    const std::u16string& text = value.Text();
    const std::size_t colon = text.find(u':');
    const std::u16string format = text.substr(0, colon);
    if (format == u"json") {
        request.format = ReportFormat::Json;
    } else if (format == u"github") {
        request.format = ReportFormat::Github;
    } else {
        error = String(u"--report needs json or github, optionally followed by :FILE, not '") + value + u"'";
        return false;
    }
    request.file.reset();
    if (colon == std::u16string::npos) return true;
    if (colon + 1 == text.size()) {
        error = u"the report file name is empty";
        return false;
    }
    request.file = String(text.substr(colon + 1));
    return true;
}

}  // namespace linkloom::cli
