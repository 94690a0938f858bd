#pragma once

#include <string>
#include <vector>

#include "core/JobHost.h"

namespace linkloom::test {

// A front end that records every call of the run, in order, as readable lines.
class FakeHost : public JobHost {
public:
    JobInputs inputs;
    JobFlags flags = kDefaultJobFlags;
    bool hasProgress = true;
    // Cancel is reported from this pump on (1 = the first); 0 never cancels.
    int cancelAtPump = 0;

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
    void TakeDocument(const String& text) override;

    // The calls that start with `prefix`.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
};

}  // namespace linkloom::test
