// Writes what the option table documents into the source tree: the manual page's option list and
// the README's option block (each between its marker lines), and the shell completion scripts.
// With --check it writes nothing and fails, naming them, when the files in the tree are stale.
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "OptionPages.h"
#include "ShellCompletions.h"

namespace {

using namespace linkloom::tools;

const char kManualBegin[] = ".\\\" options-begin: generated from the option table by tools/option-docs\n";
const char kManualEnd[] = ".\\\" options-end\n";
const char kReadmeBegin[] = "<!-- options-begin: generated from the option table by tools/option-docs -->\n";
const char kReadmeEnd[] = "<!-- options-end -->\n";

std::optional<std::string> ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    return static_cast<bool>(file.flush());
}

// `text` with what lies between the marker lines `begin` and `end` replaced by `section`.
std::optional<std::string> WithSection(const std::string& text, const std::string& begin, const std::string& end,
                                       const std::string& section) {
    const auto from = text.find(begin);
    if (from == std::string::npos) return std::nullopt;
    const auto to = text.find(end, from + begin.size());
    if (to == std::string::npos) return std::nullopt;
    return text.substr(0, from + begin.size()) + section + text.substr(to);
}

struct Document {
    const char* path;   // in the source tree
    const char* begin;  // the marker lines around the generated part; null when it is the whole file
    const char* end;
    std::string text;
};

}  // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::cerr << "usage: option-docs [--check] SOURCE_DIR\n";
        return 2;
    }
    const std::string root = std::string(argv[argc - 1]) + "/";
    const Document documents[] = {
        {"src/cli/linkloom-cli.1", kManualBegin, kManualEnd, ManualOptions()},
        {"README.md", kReadmeBegin, kReadmeEnd, ReadmeOptions()},
        {"completions/linkloom-cli.bash", nullptr, nullptr, BashCompletion()},
        {"completions/_linkloom-cli", nullptr, nullptr, ZshCompletion()},
        {"completions/linkloom-cli.fish", nullptr, nullptr, FishCompletion()},
    };
    int status = 0;
    for (const Document& document : documents) {
        const std::string path = root + document.path;
        const std::optional<std::string> old = ReadText(path);
        std::optional<std::string> text = document.text;
        if (document.begin) {
            text = old ? WithSection(*old, document.begin, document.end, document.text) : std::nullopt;
            if (!text) {
                std::cerr << path << ": cannot read it or find its marker lines\n";
                status = 1;
                continue;
            }
        }
        if (text == old) continue;
        if (check) {
            std::cerr << path << " is stale: run option-docs " << argv[argc - 1] << " (built from tools/)\n";
            status = 1;
        } else if (!WriteText(path, *text)) {
            std::cerr << path << ": cannot write it\n";
            status = 1;
        }
    }
    return status;
}
