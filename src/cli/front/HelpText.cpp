#include "cli/front/HelpText.h"

namespace linkloom::cli {

namespace {

const char kUsageHead[] =
    "usage: linkloom-cli [OPTIONS] FOLDER URL\n"
    "\n"
    "Builds an XML sitemap (Sitemaps protocol 0.9) of the web files in FOLDER, whose\n"
    "structure mirrors the website at URL, and writes it to standard output.\n"
    "URL begins with \"http\" (https://www.example.com/), names a host and holds no blank,\n"
    "control character, query or fragment; what a URL cannot hold is percent-encoded, a final\n"
    "'/' is added, and the result holds at most 2000 characters.\n"
    "FOLDER/linkloom.toml, when there is one, may give URL and the options under their long\n"
    "names (see --config); what the command line gives wins.\n"
    "\n";

const char kUsageTail[] =
    "\n"
    "Pages that come to one location (--folder-urls, --drop-extensions, --canonical) are listed\n"
    "once, where the walk met the first of them, with the newest of their lastmods.\n"
    "\n"
    "Exit status: 0 a document was written; 1 no files match the criteria; 2 an input or option\n"
    "was rejected, FOLDER cannot be read, or --shallow fail met a page; 3 the output could not\n"
    "be written (a file or standard output); 4 --check found the sitemap invalid or out of step;\n"
    "5 the document was written but --indexnow could not submit the changed URLs; 130 Ctrl+C\n"
    "stopped the walk and the entries found so far were written; 143 (SIGTERM, on Windows\n"
    "Ctrl+Break) or 129 (SIGHUP, the console closed) ended the run without writing.\n";

// Where the text beside the names begins; names that reach it put the text on the next line.
constexpr std::size_t kTextColumn = 26;
constexpr std::size_t kLeastGap = 2;

}  // namespace

std::string OptionLines(const CliOption& option, const std::string& text) {
    std::string names = option.shortName || option.column == HelpColumn::Flush ? "  " : "      ";
    if (option.shortName) names += std::string("-") + option.shortName + ", ";
    names += std::string("--") + option.longName;
    if (*option.argument) names += std::string(" ") + option.argument;
    const std::string indent(kTextColumn, ' ');
    std::string lines = names.size() + kLeastGap <= kTextColumn ? names + std::string(kTextColumn - names.size(), ' ')
                                                                : names + "\n" + indent;
    for (char c : text) lines += c == '\n' ? "\n" + indent : std::string(1, c);
    return lines + "\n";
}

std::string HelpText() {
    std::string text = kUsageHead;
    for (const CliOption& option : OptionTable()) text += OptionLines(option, option.help);
    return text + kUsageTail;
}

}  // namespace linkloom::cli
