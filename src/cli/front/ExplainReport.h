#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/model/WalkReport.h"

namespace linkloom::cli {

// What a run left out, counted by reason; with --explain, also one line on standard error for
// each file left out, each folder not entered, each file kept with an adjustment and each link
// of a kept page that was ignored.
class ExplainReport : public WalkReport {
public:
    explicit ExplainReport(bool listsEach) : listsEach_(listsEach) {}

    void LeftOut(const String& path, bool isFolder, LeftOutReason reason, const String& detail) override;
    void Adjusted(const String& path, Adjustment kind) override;
    void LinkIgnored(const String& path, const LinkNote& note) override;
    void DatesShared(int count, int entries, const String& date) override;
    // The counts line for a run that kept `kept` files.
    void WriteCounts(int kept) const;
    // What a run should hear of even without --explain, one line each: locations too long to
    // list, and folders and pages that could not be read.
    std::vector<std::string> Warnings() const;

private:
    struct Tally {
        std::string reason;
        int files = 0;
        int folders = 0;
    };
    bool listsEach_;
    std::vector<Tally> tallies_;  // in the order the reasons first came up
    int filesLeftOut_ = 0;
    int tooLong_ = 0;
    int unreadableFolders_ = 0;
    int unreadablePages_ = 0;
    int timesOutOfRange_ = 0;
    int linksIgnored_ = 0;
    int timesInFuture_ = 0;
    std::string sharedDate_;  // the counts line's words for a date most entries share
};

}  // namespace linkloom::cli
