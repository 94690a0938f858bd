#include "core/lastmod/GitCommand.h"

#include <vector>

namespace linkloom {

namespace {

const char16_t kGit[] = u"git";

// Before the command: settings that would run a program or change what log prints.
constexpr std::initializer_list<const char16_t*> kOverrides = {
    u"--no-pager", u"--no-optional-locks",     u"-c", u"core.fsmonitor=false", u"-c", u"protocol.allow=never",
    u"-c",         u"log.showSignature=false", u"-c", u"log.follow=false",
};
// After the command's name, for those that take them.
constexpr std::initializer_list<const char16_t*> kDiffOverrides = {u"--no-ext-diff", u"--no-textconv"};

}  // namespace

platform::ProgramRun RunGit(const String& folder, std::initializer_list<const char16_t*> command,
                            const platform::ProgramOutput& output, const platform::ProgramStop& stop) {
    std::vector<String> arguments(kOverrides.begin(), kOverrides.end());
    arguments.push_back(u"-C");
    arguments.push_back(folder);
    const char16_t* const* word = command.begin();
    arguments.push_back(*word++);
    const String name = arguments.back();
    if (name == u"log" || name == u"diff-index")
        arguments.insert(arguments.end(), kDiffOverrides.begin(), kDiffOverrides.end());
    arguments.insert(arguments.end(), word, command.end());
    // A missing object of a partial clone is never fetched, nor a password asked for.
    const platform::ChildEnvironment environment{u"GIT_", {u"GIT_NO_LAZY_FETCH=1", u"GIT_TERMINAL_PROMPT=0"}};
    return platform::RunProgram(kGit, arguments, output, environment, stop);
}

}  // namespace linkloom
