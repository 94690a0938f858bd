#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/WalkReport.h"

namespace linkloom::cli {

// --explain: one line on standard error for each file left out, each folder not entered and
// each file kept with an adjustment, with the reason, and the counts at the end.
class ExplainReport : public WalkReport {
public:
    void LeftOut(const String& path, bool isFolder, LeftOutReason reason, const PathPattern* pattern) override;
    void Adjusted(const String& path, Adjustment kind) override;
    // The counts line for a run that kept `kept` files.
    void WriteCounts(int kept) const;

private:
    struct Tally {
        std::string reason;
        int files = 0;
        int folders = 0;
    };
    std::vector<Tally> tallies_;  // in the order the reasons first came up
    int filesLeftOut_ = 0;
    int timesOutOfRange_ = 0;
};

}  // namespace linkloom::cli
