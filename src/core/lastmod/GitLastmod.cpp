#include "core/lastmod/GitLastmod.h"

#include <chrono>

#include "base/ControlCharacters.h"
#include "platform/ShellQuote.h"
#include "platform/UnixTime.h"

namespace linkloom {

namespace {

const char16_t kNextSource[] = u"; lastmod from the next source for every page";
const char16_t kNoSource[] = u"; pages get no lastmod";
const char16_t kUnshallow[] = u"fetch --unshallow";

}  // namespace

GitLastmod::GitLastmod(const String& folder, bool lastSource, ShallowPolicy shallow, NoticeSink& notices)
    : folder_(folder), fallback_(lastSource ? kNoSource : kNextSource), shallow_(shallow), notices_(notices) {
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

String GitLastmod::UnshallowCommand() const {
    // The folder is quoted so that the shell takes it as a name.
    const std::optional<String> quoted = platform::ShellQuoted(EscapeControlCharacters(folder_));
    return quoted ? u"git -C " + *quoted + u" " + kUnshallow : String(u"git ") + kUnshallow + u" in that folder";
}

void GitLastmod::Warn(const GitHistory& history) {
    const String folder = EscapeControlCharacters(folder_);
    const String reason =
        history.Reason().IsEmpty() ? String() : u" (" + EscapeControlCharacters(history.Reason()) + u")";
    switch (history.Outcome()) {
    case GitHistory::State::Read:
        // With --shallow fail the first such page stops the run and says so.
        if (!history.Shallow() || shallow_ == ShallowPolicy::Fail) return;
        return notices_.Notice(
            String(u"warning: the git history of ") + folder +
            u" is shallow: pages whose last commit in it is its oldest " +
            (shallow_ == ShallowPolicy::Omit || fallback_ == kNoSource ? u"get no lastmod" : u"take the next source") +
            u"; fetch the whole history with: " + UnshallowCommand());
    case GitHistory::State::Stopped: return;
    case GitHistory::State::NoGit: return notices_.Notice(String(u"warning: git is not on the PATH") + fallback_);
    case GitHistory::State::NotWorkTree:
        return notices_.Notice(String(u"warning: ") + folder + u" is not in a git work tree" + reason + fallback_);
    case GitHistory::State::Failed:
        return notices_.Notice(String(u"warning: git cannot read the history of ") + folder + reason + fallback_);
    }
}

bool GitLastmod::Ready() const {
    return history_ || reading_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

SourceAnswer GitLastmod::DateOf(const DatedPage& page) {
    const GitHistory& history = History();
    if (history.Outcome() != GitHistory::State::Read) return {};
    if (page.folderPath != pathFolder_) {
        pathFolder_ = page.folderPath;
        pathPrefix_ = page.folderPath->ToNativeBytes();
    }
    path_ = pathPrefix_;
    path_ += page.name.ToNativeBytes();
    const auto date = history.DateOf(path_, {page.facts.written, page.facts.size});
    if (!date) return {};
    if (date->grafted) {
        switch (shallow_) {
        case ShallowPolicy::Next: return {};
        case ShallowPolicy::Omit: return {SourceAnswer::Kind::NoLastmod, 0, String()};
        case ShallowPolicy::Fail:
            return {SourceAnswer::Kind::Stop, 0,
                    String(u"the git history of ") + EscapeControlCharacters(folder_) + u" is shallow and " +
                        EscapeControlCharacters(*page.folderPath + page.name) +
                        u" was last changed in its oldest commit or before (--shallow fail); fetch the whole "
                        u"history with: " +
                        UnshallowCommand()};
        }
    }
    platform::FileTime time = 0;
    platform::FileTimeFromUnix(date->seconds, 0, time);
    return {SourceAnswer::Kind::Date, time, String()};
}

}  // namespace linkloom
