#pragma once

#include <string>

#include "cli/front/OptionTable.h"

namespace linkloom::cli {

// An option's lines in the help's layout: its names and argument, then `text` in the column beside them.
std::string OptionLines(const CliOption& option, const std::string& text);

// What --help prints.
std::string HelpText();

}  // namespace linkloom::cli
