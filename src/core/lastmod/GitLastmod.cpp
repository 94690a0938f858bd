#include "core/lastmod/GitLastmod.h"

#include "base/ControlCharacters.h"
#include "platform/ShellQuote.h"
#include "platform/UnixTime.h"

namespace linkloom {

namespace {

const char16_t kNextSource[] = u"; lastmod from the next source for every page";
const char16_t kNoSource[] = u"; pages get no lastmod";
const char16_t kUnshallow[] = u"fetch --unshallow";

}  // namespace

GitLastmod::GitLastmod(const String& folder, bool lastSource, NoticeSink& notices)
    : folder_(folder), fallback_(lastSource ? kNoSource : kNextSource), notices_(notices) {
    reading_ = std::async(std::launch::async, [this] { return GitHistory::Read(folder_, abandon_); });
}

GitLastmod::~GitLastmod() {
    abandon_ = true;
    if (reading_.valid()) reading_.wait();
}

const GitHistory& GitLastmod::History() {
    if (!history_) {
        history_ = reading_.get();
        Warn(*history_);
    }
    return *history_;
}

void GitLastmod::Warn(const GitHistory& history) {
    const String folder = EscapeControlCharacters(folder_);
    const String reason =
        history.Reason().IsEmpty() ? String() : u" (" + EscapeControlCharacters(history.Reason()) + u")";
    switch (history.Outcome()) {
    case GitHistory::State::Read:
        if (history.Shallow()) {
            // The command is pasted as it is: the folder is quoted so that the shell takes it as a name.
            const std::optional<String> quoted = platform::ShellQuoted(folder);
            notices_.Notice(String(u"warning: the git history of ") + folder +
                            u" is shallow: pages last changed before its oldest commit get that commit's "
                            u"date; fetch the whole history with: " +
                            (quoted ? u"git -C " + *quoted + u" " + kUnshallow
                                    : String(u"git ") + kUnshallow + u" in that folder"));
        }
        return;
    case GitHistory::State::Stopped: return;
    case GitHistory::State::NoGit: return notices_.Notice(String(u"warning: git is not on the PATH") + fallback_);
    case GitHistory::State::NotWorkTree:
        return notices_.Notice(String(u"warning: ") + folder + u" is not in a git work tree" + reason + fallback_);
    case GitHistory::State::Failed:
        return notices_.Notice(String(u"warning: git cannot read the history of ") + folder + reason + fallback_);
    }
}

std::optional<platform::FileTime> GitLastmod::DateOf(const DatedPage& page) {
    const GitHistory& history = History();
    if (history.Outcome() != GitHistory::State::Read) return std::nullopt;
    if (page.folderPath != pathFolder_) {
        pathFolder_ = page.folderPath;
        pathPrefix_ = page.folderPath->ToNativeBytes();
    }
    path_ = pathPrefix_;
    path_ += page.name.ToNativeBytes();
    const auto seconds = history.DateOf(path_, {page.facts.written, page.facts.size});
    platform::FileTime time = 0;
    if (!seconds) return std::nullopt;
    platform::FileTimeFromUnix(*seconds, 0, time);
    return time;
}

}  // namespace linkloom
