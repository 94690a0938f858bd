#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/run/InputCheck.h"
#include "core/run/SitemapRun.h"

namespace linkloom::test {

// How a front end's run ended.
enum class Outcome { Rejected, NoFiles, FolderUnreadable, OutOfMemory, Document };

// A front end that runs as the desktop program does (check the inputs, run the plan, collect the
// document) and records what the run asks of its ports, in order, as readable lines.
class FakeFront : public RunProgress, public NoticeSink, private EntrySink, private WalkReport {
public:
    RunInputs inputs;
    bool hasProgress = true;
    // Cancel is reported from this pump on (1 = the first); 0 never cancels.
    int cancelAtPump = 0;
    // Threads that read pages ahead of the walk.
    int readers = 1;
    // With `streams`, entries go to `streamed` as the walk finds them, and cancel is reported
    // once `cancelAtEntries` (if not 0) have arrived.
    bool streams = false;
    std::size_t cancelAtEntries = 0;
    std::vector<SitemapEntry> streamed;
    // What the walk left out, "PATH (reason: detail)", when `reports` is set.
    bool reports = false;
    std::vector<std::string> leftOut;
    // The plan's rules for the pages kept, and the links they ignored, "PATH: HREF" each.
    const PageRules* rules = nullptr;
    std::vector<std::string> ignored;

    // Called once the inputs are accepted, before the walk.
    std::function<void()> accepting;

    std::vector<std::string> calls;
    std::string document;
    int pumps = 0;

    Outcome Run();

    bool Show(const String& title) override;
    void Hide() override { calls.push_back("hide"); }
    void SetTitle(const String& title) override { calls.push_back("title " + title.ToUtf8()); }
    bool IsCancelled() override;
    void Pump() override { ++pumps; }
    void Notice(const String& text) override { calls.push_back("notice " + text.ToUtf8()); }

    // The calls that start with `prefix`.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

private:
    void Add(const SitemapEntry& entry) override { streamed.push_back(entry); }
    bool Failed() const override { return false; }
    void LeftOut(const String& path, bool isFolder, LeftOutReason reason, const String& detail) override;
    void LinkIgnored(const String& path, const LinkNote& note) override {
        ignored.push_back(path.ToUtf8() + ": " + note.href.ToUtf8());
    }
};

}  // namespace linkloom::test
