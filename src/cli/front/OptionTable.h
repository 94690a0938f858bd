#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/String.h"
#include "cli/front/CliOptions.h"

namespace linkloom::cli {

// What an option is given while the arguments are read: the options being filled, and what is
// settled only once all are read.
struct OptionState {
    explicit OptionState(CliOptions& filled) : options(filled) {}

    CliOptions& options;
    // Switches that set or clear a selection option, put over --flags (or its default) at the end,
    // whatever order they came in.
    bool noSubfolders = false;
    bool includeNoindex = false;
    // The settings file named with --config, and whether --no-config turned them off.
    std::optional<String> config;
    bool noConfig = false;
    bool indexNowEndpointGiven = false;
};

// Applies an option's value (empty for a switch). False with `error` set when the value is refused.
using ApplyOption = bool (*)(const String& value, OptionState& state, String& error);

enum class OptionValue { None, Text, File };

// Where the help puts the names: flush at the left margin, or aligned under the long names of
// the options that have a short one.
enum class HelpColumn { Flush, Aligned };

struct CliOption {
    char shortName;        // 0 for none
    const char* longName;  // without its dashes
    const char* argument;  // the value's name in the help; "" for a switch
    OptionValue value;
    HelpColumn column;
    ApplyOption apply;
    // Lines of the --help text, without the names' column.
    const char* help;
    // One line for the README and shell completions; "" when the help is that line.
    const char* brief = "";
    // The manual page's paragraph in roff; "" when the help says it with no markup.
    const char* manual = "";

    // The brief and manual texts with their defaults filled in.
    std::string Brief() const;
    std::string Manual() const;
};

// Every option, in the order the help lists them.
const std::vector<CliOption>& OptionTable();

}  // namespace linkloom::cli
