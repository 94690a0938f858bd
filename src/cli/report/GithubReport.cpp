#include "cli/report/GithubReport.h"

#include <string_view>

#include "base/ControlCharacters.h"

namespace linkloom::cli {

namespace {

// A command's message: '%' and line ends encoded, as the runner decodes them.
std::string CommandData(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '%': out += "%25"; break;
        case '\r': out += "%0D"; break;
        case '\n': out += "%0A"; break;
        default: out += c;
        }
    }
    return out;
}

// A command's property value: also ':' and ',', which end a property.
std::string CommandProperty(std::string_view text) {
    std::string out;
    for (const char c : CommandData(text)) {
        switch (c) {
        case ':': out += "%3A"; break;
        case ',': out += "%2C"; break;
        default: out += c;
        }
    }
    return out;
}

std::string ErrorCommand(const CheckFinding& finding) {
    std::string command = "::error file=" + CommandProperty(finding.file.ToUtf8());
    if (finding.line > 0) command += ",line=" + std::to_string(finding.line);
    return command + "::" + CommandData(finding.message) + "\n";
}

std::string Counted(std::size_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// Markdown that shows as the text it is: control characters escaped, each mark backslashed.
std::string Cell(const String& text) {
    static constexpr std::string_view kMarks = "\\`*_{}[]<>()#+-.!|~&";
    std::string out;
    for (const char c : EscapeControlCharacters(text).ToUtf8()) {
        if (kMarks.find(c) != std::string_view::npos) out += '\\';
        out += c;
    }
    return out;
}
std::string Cell(std::string_view utf8) { return Cell(String::FromUtf8(utf8)); }

std::string Reasons(const RunReport& report) {
    std::string text;
    for (const RunReport::Tally& tally : report.Tallies()) {
        if (tally.files == 0) continue;
        text +=
            (text.empty() ? " (" : ", ") + std::string(ReasonName(tally.reason)) + " " + std::to_string(tally.files);
    }
    return text.empty() ? text : text + ")";
}

void Output(std::string& out, const char* name, const std::string& value, const std::string& delimiter) {
    out += std::string(name) + "<<" + delimiter + "\n" + value + "\n" + delimiter + "\n";
}

}  // namespace

std::string WorkflowCommands(const RunReport& report) {
    std::string commands;
    const auto& findings = report.Findings();
    const auto& warnings = report.Warnings();
    // Past the limit, the last annotation shown counts the rest.
    const auto shown = [](std::size_t count) {
        return count > kMostAnnotationsPerKind ? kMostAnnotationsPerKind - 1 : count;
    };
    for (std::size_t i = 0; i < shown(findings.size()); ++i) commands += ErrorCommand(findings[i]);
    if (findings.size() > shown(findings.size())) {
        commands += "::error::" + Counted(findings.size() - shown(findings.size()), "more finding") +
                    " (the step summary and --report json list them all)\n";
    }
    for (std::size_t i = 0; i < shown(warnings.size()); ++i) {
        commands += "::warning::" + CommandData(warnings[i].ToUtf8()) + "\n";
    }
    if (warnings.size() > shown(warnings.size())) {
        commands += "::warning::" + Counted(warnings.size() - shown(warnings.size()), "more warning") +
                    " (--report json lists them all)\n";
    }
    return commands;
}

std::string StepSummary(const RunReport& report) {
    const bool check = report.Options().check.has_value();
    std::string md = check ? "### Sitemap check\n\n" : "### Sitemap\n\n";
    md += "| | |\n|---|---|\n";
    md += "| Pages listed | " + std::to_string(report.Listed()) + " |\n";
    md += "| Pages kept | " + std::to_string(report.Kept()) + " |\n";
    md += "| Pages left out | " + std::to_string(report.FilesLeftOut()) + Reasons(report) + " |\n";
    md += "| Warnings | " + std::to_string(report.Warnings().size()) + " |\n";
    if (check) md += "| Findings | " + std::to_string(report.Findings().size()) + " |\n";
    md += "| Exit status | " + std::to_string(report.ExitStatus()) + " |\n";
    if (report.ErrorText()) md += "\n**" + Cell(*report.ErrorText()) + "**\n";
    const auto& findings = report.Findings();
    if (!findings.empty()) {
        md += "\n#### Findings\n\n| File | Line | Kind | Location | Finding |\n|---|---|---|---|---|\n";
        for (std::size_t i = 0; i < findings.size() && i < kMostSummaryRows; ++i) {
            const CheckFinding& finding = findings[i];
            md += "| " + Cell(finding.file) + " | " + (finding.line > 0 ? std::to_string(finding.line) : "") + " | " +
                  finding.kind + " | " + Cell(finding.location) + " | " + Cell(finding.message) + " |\n";
        }
        if (findings.size() > kMostSummaryRows) {
            md += "\n" + Counted(findings.size() - kMostSummaryRows, "more finding") +
                  " (--report json lists them all)\n";
        }
    }
    if (!report.Files().empty()) {
        md += "\n#### Files written\n\n| File | URL | Bytes |\n|---|---|---|\n";
        for (const WrittenFile& file : report.Files()) {
            md += "| " + (file.path ? Cell(*file.path) : std::string("standard output")) + " | " +
                  (file.url ? Cell(*file.url) : std::string()) + " | " + std::to_string(file.bytes) + " |\n";
        }
    }
    return md + "\n";
}

std::string StepOutputs(const RunReport& report, const std::string& delimiter) {
    std::string out;
    const auto& output = report.Options().output;
    Output(out, "sitemap-path", output && !report.Files().empty() ? output->ToUtf8() : std::string(), delimiter);
    Output(out, "url-count", std::to_string(report.Kept()), delimiter);
    Output(out, "excluded-count", std::to_string(report.FilesLeftOut()), delimiter);
    if (report.Options().check) Output(out, "findings", std::to_string(report.Findings().size()), delimiter);
    return out;
}

}  // namespace linkloom::cli
