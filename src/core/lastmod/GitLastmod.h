#pragma once

#include <atomic>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "core/lastmod/GitHistory.h"
#include "core/lastmod/LastmodSource.h"
#include "core/model/NoticeSink.h"

namespace linkloom {

// The committer date of the last commit that changed the page, from the git work tree that holds
// the walked folder. Pages that are untracked or have changes not committed have none. In a
// shallow clone, a page whose last commit there is one of its oldest is dealt with as `shallow`
// says. Git is read once, in the background from the moment the source is made; when it cannot
// be, or the history is shallow, the notices hear it once (saying what the pages get instead).
class GitLastmod : public LastmodSource {
public:
    GitLastmod(const String& folder, bool lastSource, ShallowPolicy shallow, NoticeSink& notices);
    ~GitLastmod() override;
    SourceAnswer DateOf(const DatedPage& page) override;
    bool Ready() const override;

private:
    // The history, waited for at the first page.
    const GitHistory& History();
    void Warn(const GitHistory& history);
    // The command that fetches the whole history, to paste into a shell.
    String UnshallowCommand() const;

    String folder_;
    const char16_t* fallback_;
    ShallowPolicy shallow_;
    NoticeSink& notices_;
    std::atomic<bool> abandon_{false};
    std::future<GitHistory> reading_;
    std::optional<GitHistory> history_;
    // The UTF-8 path of the folder of the last page asked about.
    std::shared_ptr<const String> pathFolder_;
    std::string pathPrefix_;
    std::string path_;
};

}  // namespace linkloom
