#include "OptionPages.h"

#include "cli/front/HelpText.h"
#include "cli/front/OptionTable.h"

namespace linkloom::tools {

namespace {

// "--max-urls" as roff writes it, in bold with its dashes as minus signs.
std::string BoldName(const std::string& name) {
    std::string roff = "\\fB";
    for (char c : name) roff += c == '-' ? std::string("\\-") : std::string(1, c);
    return roff + "\\fR";
}

}  // namespace

std::string ManualOptions() {
    std::string roff;
    for (const cli::CliOption& option : cli::OptionTable()) {
        roff += ".TP\n";
        if (option.shortName) roff += BoldName(std::string("-") + option.shortName) + ", ";
        roff += BoldName(std::string("--") + option.longName);
        if (*option.argument) roff += std::string(" \\fI") + option.argument + "\\fR";
        roff += "\n" + option.Manual() + "\n";
    }
    return roff;
}

std::string ReadmeOptions() {
    std::string block = "```\nlinkloom-cli [OPTIONS] FOLDER URL\n";
    for (const cli::CliOption& option : cli::OptionTable()) block += cli::OptionLines(option, option.Brief());
    return block + "```\n";
}

}  // namespace linkloom::tools
