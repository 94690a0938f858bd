#pragma once

#include <string>
#include <vector>

#include "core/run/JobHost.h"

namespace linkloom::test {

// A front end that records every call of the run, in order, as readable lines.
class FakeHost : public JobHost, private EntrySink, private WalkReport {
public:
    JobInputs inputs;
    JobFlags flags = kDefaultJobFlags;
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
    // The host's own rules for the pages kept, and the links they ignored, "PATH: HREF" each.
    const PageRules* rules = nullptr;
    std::vector<std::string> ignored;

    std::vector<std::string> calls;
    std::vector<JobSettings> saved;
    std::string document;
    int pumps = 0;

    JobInputs ReadInputs() override { return inputs; }
    JobFlags Flags() const override { return flags; }
    void SetFlags(JobFlags value) override { flags = value; }
    void ShowMessage(const String& text, MessageStyle style) override;
    void FocusInput(JobInput input) override;
    void SaveSettings(const JobSettings& settings) override;
    bool ShowProgress(const String& title) override;
    void HideProgress() override { calls.push_back("hide"); }
    void SetProgressTitle(const String& title) override { calls.push_back("title " + title.ToUtf8()); }
    bool IsCancelled() override;
    void PumpEvents() override { ++pumps; }
    void TakeDocument(const String& text, int) override;
    int PageReaders() const override { return readers; }
    EntrySink* EntryStream(const JobSettings&) override { return streams ? this : nullptr; }
    void EndEntries(int count) override { calls.push_back("end " + std::to_string(count)); }
    WalkReport* Report() override { return reports ? this : nullptr; }
    const PageRules* Rules(const JobSettings&) override { return rules; }

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
