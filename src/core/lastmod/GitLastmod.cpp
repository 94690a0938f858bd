#include "core/lastmod/GitLastmod.h"

#include "base/ControlCharacters.h"
#include "platform/UnixTime.h"

namespace linkloom {

namespace {

const char16_t kNextSource[] = u"; lastmod from the next source for every page";

}  // namespace

GitLastmod::GitLastmod(const String& folder, NoticeSink& notices) : folder_(folder), notices_(notices) {
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
    const String reason = history.Reason().IsEmpty() ? String() : u" (" + EscapeControlCharacters(history.Reason()) + u")";
    switch (history.Outcome()) {
    case GitHistory::State::Read:
        if (history.Shallow()) {
            notices_.Notice(String(u"warning: the git history of ") + folder +
                            u" is shallow: pages last changed before its oldest commit get that commit's "
                            u"date; fetch the whole history with: git -C \"" +
                            folder + u"\" fetch --unshallow");
        }
        return;
    case GitHistory::State::NoGit:
        return notices_.Notice(String(u"warning: git is not on the PATH") + kNextSource);
    case GitHistory::State::NotWorkTree:
        return notices_.Notice(String(u"warning: ") + folder + u" is not in a git work tree" + reason + kNextSource);
    case GitHistory::State::Failed:
        return notices_.Notice(String(u"warning: git cannot read the history of ") + folder + reason + kNextSource);
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
    const auto seconds = history.DateOf(path_);
    platform::FileTime time = 0;
    if (!seconds) return std::nullopt;
    platform::FileTimeFromUnix(*seconds, 0, time);
    return time;
}

}  // namespace linkloom
