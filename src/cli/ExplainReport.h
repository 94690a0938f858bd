#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/WalkReport.h"

namespace linkloom::cli {

// --explain: one line on standard error for each file left out and each folder not entered,
// with the reason, and the counts at the end.
class ExplainReport : public WalkReport {
public:
    void LeftOut(const String& path, bool isFolder, LeftOutReason reason, const PathPattern* pattern) override;
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
};

}  // namespace linkloom::cli
