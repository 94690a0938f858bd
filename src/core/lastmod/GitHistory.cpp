#include "core/lastmod/GitHistory.h"

#include <thread>

#include "core/lastmod/GitOutput.h"
#include "platform/RunProgram.h"

namespace linkloom {

namespace {

const char16_t kGit[] = u"git";
// The answer to rev-parse is three short lines; anything longer is not one.
constexpr std::size_t kMostAnswer = 1 << 16;

// The first line of what git said on standard error, or the system's reason it could not start.
String ReasonOf(const platform::ProgramRun& run) {
    if (run.outcome == platform::ProgramRun::Outcome::Failed) return platform::Describe(run.error);
    String text = String::FromUtf8(run.errorText.substr(0, run.errorText.find('\n')));
    text.TrimRight();
    return text;
}

bool Succeeded(const platform::ProgramRun& run) {
    return run.outcome == platform::ProgramRun::Outcome::Exited && run.status == 0;
}

// The arguments of one git command run on `folder`, configuration that would change the output
// of log set aside.
std::vector<String> GitArguments(const String& folder, std::initializer_list<const char16_t*> command) {
    std::vector<String> arguments = {u"-c", u"log.follow=false", u"-c", u"log.showSignature=false",
                                     u"--no-optional-locks", u"-C", folder};
    arguments.insert(arguments.end(), command.begin(), command.end());
    return arguments;
}

}  // namespace

GitHistory GitHistory::Read(const String& folder, const std::atomic<bool>& abandon) {
    GitHistory history;
    std::string answer;
    const platform::ProgramRun where = platform::RunProgram(
        kGit, GitArguments(folder, {u"rev-parse", u"--is-inside-work-tree", u"--is-shallow-repository", u"--show-prefix"}),
        [&answer](std::string_view bytes) {
            answer.append(bytes);
            return answer.size() <= kMostAnswer;
        });
    if (where.outcome == platform::ProgramRun::Outcome::NotFound) {
        history.state_ = State::NoGit;
        return history;
    }
    const WorkTreeAnswer tree = ParseWorkTreeAnswer(answer);
    if (!Succeeded(where) || !tree.inWorkTree) {
        history.state_ = where.outcome == platform::ProgramRun::Outcome::Failed ? State::Failed : State::NotWorkTree;
        history.reason_ = ReasonOf(where);
        return history;
    }
    history.shallow_ = tree.shallow;

    GitStatusReader status(tree.prefix);
    platform::ProgramRun statusRun;
    std::thread changes([&] {
        statusRun = platform::RunProgram(
            kGit,
            GitArguments(folder, {u"status", u"--porcelain", u"-z", u"--untracked-files=no", u"--no-renames",
                                  u"--ignore-submodules=all", u"--", u"."}),
            [&](std::string_view bytes) { return !abandon && status.Feed(bytes); });
    });
    GitLogReader log;
    const platform::ProgramRun logRun = platform::RunProgram(
        kGit,
        GitArguments(folder, {u"log", u"--format=%x01%ct", u"--name-only", u"-z", u"--no-renames", u"--relative",
                              u"--root", u"--no-notes", u"--", u"."}),
        [&](std::string_view bytes) { return !abandon && log.Feed(bytes); });
    changes.join();

    const bool logRead = Succeeded(logRun) && log.Finish();
    if (!logRead || !Succeeded(statusRun) || !status.Finish()) {
        history.state_ = State::Failed;
        history.reason_ = ReasonOf(logRead ? statusRun : logRun);
        return history;
    }
    history.state_ = State::Read;
    history.dates_ = std::move(log.Dates());
    history.changed_ = std::move(status.Changed());
    return history;
}

std::optional<std::int64_t> GitHistory::DateOf(const std::string& path) const {
    if (!changed_.empty() && changed_.count(path) > 0) return std::nullopt;
    const auto found = dates_.find(path);
    if (found == dates_.end()) return std::nullopt;
    return found->second;
}

}  // namespace linkloom
