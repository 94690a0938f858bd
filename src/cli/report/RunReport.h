#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/String.h"
#include "cli/check/CheckFinding.h"
#include "cli/front/CliOptions.h"
#include "cli/output/WrittenFile.h"
#include "core/model/RunSettings.h"
#include "core/model/WalkReport.h"

namespace linkloom::cli {

// What one run of linkloom-cli did, gathered for the reports that --report writes: the inputs
// as the run took them, its counts, what it left out, its warnings, the files it wrote, the
// findings of --check and its exit status. A new count is one more named counter.
class RunReport {
public:
    struct LeftOutItem {
        String path;
        bool isFolder;
        LeftOutReason reason;
        String detail;
    };
    // Files or folders left out for one reason.
    struct Tally {
        LeftOutReason reason;
        long long files = 0;
        long long folders = 0;
    };

    explicit RunReport(const CliOptions& options) : options_(options) {}

    void Accepted(const RunSettings& settings) { accepted_ = settings; }
    void LeftOut(const String& path, bool isFolder, LeftOutReason reason, const String& detail);
    void Kept(long long count) { kept_ = count; }
    // Adds `delta` to the named counter, created at 0 the first time.
    void Count(const std::string& name, long long delta);
    void Warning(const String& text);
    // Why the run wrote nothing: a refused input, an unreadable folder, an output not written.
    void Error(const String& text) { error_ = text; }
    void Written(std::vector<WrittenFile> files) { files_ = std::move(files); }
    void Finding(CheckFinding finding) { findings_.push_back(std::move(finding)); }
    void Ended(int exitStatus) { exitStatus_ = exitStatus; }

    const CliOptions& Options() const { return options_; }
    const std::optional<RunSettings>& Settings() const { return accepted_; }
    long long Listed() const { return kept_ + filesLeftOut_; }
    long long Kept() const { return kept_; }
    long long FilesLeftOut() const { return filesLeftOut_; }
    const std::vector<Tally>& Tallies() const { return tallies_; }
    const std::vector<std::pair<std::string, long long>>& Counts() const { return counts_; }
    // Each file and folder left out, kept with --explain only.
    const std::vector<LeftOutItem>& Items() const { return items_; }
    const std::vector<String>& Warnings() const { return warnings_; }
    const std::optional<String>& ErrorText() const { return error_; }
    const std::vector<WrittenFile>& Files() const { return files_; }
    const std::vector<CheckFinding>& Findings() const { return findings_; }
    int ExitStatus() const { return exitStatus_; }

private:
    const CliOptions& options_;
    std::optional<RunSettings> accepted_;
    long long kept_ = 0;
    long long filesLeftOut_ = 0;
    std::vector<Tally> tallies_;  // in the order the reasons first came up
    std::vector<std::pair<std::string, long long>> counts_;
    std::vector<LeftOutItem> items_;
    std::vector<String> warnings_;
    std::optional<String> error_;
    std::vector<WrittenFile> files_;
    std::vector<CheckFinding> findings_;
    int exitStatus_ = 0;
};

// The machine name of a reason, as reports give it.
const char* ReasonName(LeftOutReason reason);

}  // namespace linkloom::cli
