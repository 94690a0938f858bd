#include "ShellCompletions.h"

#include "cli/front/OptionTable.h"

namespace linkloom::tools {

namespace {

using cli::CliOption;
using cli::OptionTable;
using cli::OptionValue;

const char kGenerated[] = "generated from src/cli/front/OptionTable.cpp by tools/option-docs; do not edit.\n";

// The option's names as typed, "-o" before "--output", joined by `separator`.
std::string Names(const CliOption& option, const char* separator) {
    std::string names;
    if (option.shortName) names += std::string("-") + option.shortName + separator;
    return names + "--" + option.longName;
}

// The names of the options whose value is of the given kind, as one bash case pattern.
std::string NamesTaking(OptionValue value) {
    std::string pattern;
    for (const CliOption& option : OptionTable()) {
        if (option.value == value) pattern += (pattern.empty() ? "" : "|") + Names(option, "|");
    }
    return pattern;
}

// `text` inside single quotes, where a quote is written as `quote`.
std::string Quoted(const std::string& text, const char* quote) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string(quote) : std::string(1, c);
    return quoted + "'";
}

// A description inside zsh's brackets, where brackets are escaped.
std::string ZshDescription(const std::string& text) {
    std::string escaped;
    for (char c : text) escaped += c == '[' || c == ']' ? std::string("\\") + c : std::string(1, c);
    return escaped;
}

}  // namespace

std::string BashCompletion() {
    std::string words;
    for (const CliOption& option : OptionTable()) words += (words.empty() ? "" : " ") + Names(option, " ");
    return std::string("# bash completion for linkloom-cli, ") + kGenerated +
           "_linkloom_cli() {\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
           "    # bash splits \"--output=FILE\" into the option, \"=\" and the value.\n"
           "    if [[ $cur == = ]]; then\n"
           "        cur=\n"
           "    elif [[ $prev == = ]]; then\n"
           "        prev=${COMP_WORDS[COMP_CWORD-2]}\n"
           "    fi\n"
           "    case $prev in\n"
           "        " +
           NamesTaking(OptionValue::File) +
           ")\n"
           "            mapfile -t COMPREPLY < <(compgen -f -- \"$cur\")\n"
           "            return ;;\n"
           "        " +
           NamesTaking(OptionValue::Text) +
           ")\n"
           "            COMPREPLY=()\n"
           "            return ;;\n"
           "    esac\n"
           "    if [[ $cur == -* ]]; then\n"
           "        mapfile -t COMPREPLY < <(compgen -W '" +
           words +
           "' -- \"$cur\")\n"
           "    else\n"
           "        mapfile -t COMPREPLY < <(compgen -d -- \"$cur\")\n"
           "    fi\n"
           "}\n"
           "complete -F _linkloom_cli -o filenames linkloom-cli\n";
}

std::string ZshCompletion() {
    std::string script =
        std::string("#compdef linkloom-cli\n# zsh completion for linkloom-cli, ") + kGenerated + "_arguments -S \\\n";
    for (const CliOption& option : OptionTable()) {
        // "=" lets the value follow in the same word or the next, as the program takes it.
        const std::string described = "[" + ZshDescription(option.Brief()) + "]";
        std::string names = option.value == OptionValue::None ? Names(option, ",") : Names(option, ",") + "=";
        script += "  '*'" + (option.shortName ? "{" + names + "}" : names) + Quoted(described, "'\\''");
        if (option.value != OptionValue::None) {
            const std::string action = option.value == OptionValue::File ? "_files" : " ";
            script += Quoted(std::string(":") + option.argument + ":" + action, "'\\''");
        }
        script += " \\\n";
    }
    return script + "  ':FOLDER:_directories' \\\n  ':URL: '\n";
}

std::string FishCompletion() {
    std::string script = std::string("# fish completion for linkloom-cli, ") + kGenerated;
    for (const CliOption& option : OptionTable()) {
        script += "complete -c linkloom-cli";
        if (option.shortName) script += std::string(" -s ") + option.shortName;
        script += std::string(" -l ") + option.longName;
        if (option.value == OptionValue::File) script += " -r -F";
        if (option.value == OptionValue::Text) script += " -x";
        script += " -d " + Quoted(option.Brief(), "\\'") + "\n";
    }
    return script;
}

}  // namespace linkloom::tools
