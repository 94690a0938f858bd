#pragma once

#include <optional>
#include <vector>

#include "base/String.h"
#include "platform/SystemError.h"

namespace linkloom::cli {

// One change of a switch: the temporary file renamed over the target, the file that was there
// kept under the backup name until the switch is over. Without a temporary file the target is
// only put aside (a part of the old set that the new one lacks); without a backup, nothing was
// at the target. The temporary file and the backup lie in the target's folder.
struct SwitchStep {
    String target;
    String temporary;
    String backup;
};

// What a switch is about to do, written whole before its first change: the guards it left in
// other folders, then its steps. Each field ends in a zero byte; the counts in the header tell
// a whole journal from one whose writer died while writing it. The journal is a stamped file,
// named ".linkloom-TOKEN.journal"; its steps reach only its own folder and those of its guards,
// and their temporary files and backups carry its TOKEN.
class SwitchJournal {
public:
    std::vector<String> guards;
    std::vector<SwitchStep> steps;

    enum class State { Whole, Partial, Unusable };

    std::optional<platform::SystemError> Write(const String& path) const;
    // Unusable: missing, not a stamped file of this user's, not a journal at all, or one whose
    // steps reach beyond what its run made.
    State Read(const String& path);
};

}  // namespace linkloom::cli
