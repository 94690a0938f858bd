#include "core/lastmod/GitHistory.h"

#include <thread>

#include "core/lastmod/GitCommand.h"
#include "core/lastmod/GitOutput.h"
#include "platform/ReadFile.h"
#include "platform/StopSignals.h"

namespace linkloom {

namespace {

// The answers to rev-parse are a few short lines; anything longer is not one.
constexpr std::size_t kMostAnswer = 1 << 16;
const char16_t kIndexName[] = u"index";
constexpr std::size_t kSha1Size = 20, kSha256Size = 32;

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

// A short answer, read whole.
platform::ProgramRun Ask(const String& folder, std::initializer_list<const char16_t*> command, std::string& answer,
                         const platform::ProgramStop& stop) {
    return RunGit(
        folder, command,
        [&answer](std::string_view bytes) {
            answer.append(bytes);
            return answer.size() <= kMostAnswer;
        },
        stop);
}

// The index in the git folder `gitFolder`, its time read before its bytes: an index replaced in
// between then counts its newer entries as ones to re-read.
std::optional<GitIndex> ReadIndex(const String& gitFolder, const WorkTreeAnswer& tree, String& reason) {
    const std::size_t hashSize = tree.objectFormat == "sha256" ? kSha256Size : kSha1Size;
    const auto noIndex = [&reason](const platform::SystemError& failure) {
        reason = u"its index: " + platform::Describe(failure);
        return std::nullopt;
    };
    platform::DirectoryEntry entry;
    entry.name = kIndexName;
    auto folder = platform::FolderHandle::Open(gitFolder);
    if (!folder) return noIndex(folder.Failure());
    auto written = (*folder)->Stamp(entry);
    if (!written) return noIndex(written.Failure());
    platform::SequentialFile file;
    if (auto failure = file.Open(**folder, entry.name)) return noIndex(*failure);
    std::string bytes;
    constexpr std::size_t kChunk = 1 << 20;
    bytes.reserve(static_cast<std::size_t>(written->size) + kChunk);
    for (std::size_t got = kChunk; got == kChunk;) {
        const std::size_t size = bytes.size();
        bytes.resize(size + kChunk);
        got = file.Read(bytes.data() + size, kChunk);
        bytes.resize(size + got);
    }
    std::optional<GitIndex> index = GitIndex::Parse(bytes, tree.prefix, hashSize, written->written);
    if (!index) reason = u"its index is of a form not read here";
    return index;
}

}  // namespace

GitHistory GitHistory::Read(const String& folder, const std::atomic<bool>& abandon) {
    const platform::ProgramStop stop = [&abandon] {
        return abandon || platform::PendingStop() != platform::StopRequest::None;
    };
    GitHistory history;
    const auto failed = [&history](State state, const platform::ProgramRun& run) {
        history.state_ = run.outcome == platform::ProgramRun::Outcome::Stopped  ? State::Stopped
                         : run.outcome == platform::ProgramRun::Outcome::Failed ? State::Failed
                                                                                : state;
        history.reason_ = ReasonOf(run);
        return history;
    };
    std::string answer;
    const platform::ProgramRun where = Ask(
        folder,
        {u"rev-parse", u"--is-inside-work-tree", u"--is-shallow-repository", u"--show-object-format", u"--show-prefix"},
        answer, stop);
    if (where.outcome == platform::ProgramRun::Outcome::NotFound) {
        history.state_ = State::NoGit;
        return history;
    }
    const WorkTreeAnswer tree = ParseWorkTreeAnswer(answer);
    if (!Succeeded(where) || !tree.inWorkTree) return failed(State::NotWorkTree, where);
    history.shallow_ = tree.shallow;
    std::string gitFolder;
    const platform::ProgramRun located = Ask(folder, {u"rev-parse", u"--absolute-git-dir"}, gitFolder, stop);
    if (!Succeeded(located)) return failed(State::Failed, located);
    if (!gitFolder.empty() && gitFolder.back() == '\n') gitFolder.pop_back();

    // The index, and what is staged, beside the history.
    GitNameReader staged;
    std::optional<platform::ProgramRun> stagedRun;
    String indexReason;
    std::thread changes([&] {
        history.index_ = ReadIndex(String::FromUtf8(gitFolder), tree, indexReason);
        if (!history.index_) return;
        // An index whose cache of tree ids makes the commit's tree has nothing staged: git's
        // comparison, which reads the index again, is not needed.
        std::string commitTree;
        if (Succeeded(Ask(folder, {u"rev-parse", u"--verify", u"-q", u"HEAD^{tree}"}, commitTree, stop)) &&
            !history.index_->WholeTree().empty() && commitTree == history.index_->WholeTree() + "\n") {
            return;
        }
        stagedRun = RunGit(
            folder,
            {u"diff-index", u"--cached", u"--name-only", u"-z", u"--no-renames", u"--relative",
             u"--ignore-submodules=all", u"HEAD", u"--"},
            [&](std::string_view bytes) { return staged.Feed(bytes); }, stop);
    });
    // No path is given to log: it would follow the history of the whole folder, which for a file
    // is not always the history `git log -- FILE` follows.
    GitLogReader::MergedFiles merged;
    GitCommitFields mergedReader = MergedFilesReader(merged);
    const platform::ProgramRun mergesRun = RunGit(
        folder, {u"log", u"--merges", u"--format=%x01%H", u"-c", u"--name-only", u"-z", u"--no-renames", u"--relative"},
        [&](std::string_view bytes) { return mergedReader.Feed(bytes); }, stop);
    GitLogReader log(merged);
    platform::ProgramRun logRun = mergesRun;
    if (Succeeded(mergesRun) && mergedReader.Finish()) {
        logRun = RunGit(
            folder,
            {u"log", u"--topo-order", u"--format=%x01%ct %H %P%x02%D", u"--decorate-refs-exclude=*", u"--name-only",
             u"-z", u"--no-renames", u"--relative", u"--root", u"--diff-merges=first-parent", u"--no-notes"},
            [&](std::string_view bytes) { return log.Feed(bytes); }, stop);
    }
    changes.join();

    if (!Succeeded(logRun) || !log.Finish()) return failed(State::Failed, logRun);
    if (!history.index_) {
        history.state_ = State::Failed;
        history.reason_ = indexReason;
        return history;
    }
    if (stagedRun && (!Succeeded(*stagedRun) || !staged.Finish())) return failed(State::Failed, *stagedRun);
    history.state_ = State::Read;
    history.dates_ = std::move(log.Dates());
    history.staged_ = std::move(staged.Names());
    return history;
}

std::optional<GitHistory::FileDate> GitHistory::DateOf(const std::string& path,
                                                       const platform::FileStamp& stamp) const {
    if (staged_.count(path) > 0 || !index_ || !index_->Unchanged(path, stamp)) return std::nullopt;
    return dates_.Of(path);
}

}  // namespace linkloom
