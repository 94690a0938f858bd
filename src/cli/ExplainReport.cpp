#include "cli/ExplainReport.h"

#include "platform/Console.h"

namespace linkloom::cli {

namespace {

std::string ReasonText(LeftOutReason reason, const PathPattern* pattern) {
    switch (reason) {
    case LeftOutReason::Extension: return "extension";
    case LeftOutReason::TemplateName: return "template name";
    case LeftOutReason::Noindex: return "noindex";
    case LeftOutReason::NoDoctype: return "no doctype";
    case LeftOutReason::Unreadable: return "unreadable";
    case LeftOutReason::Excluded: return "excluded by " + (pattern ? pattern->Text().ToUtf8() : std::string());
    case LeftOutReason::SubfoldersOff: return "subfolders off";
    case LeftOutReason::Unlistable: return "cannot be listed";
    case LeftOutReason::LeadsBack: return "leads back to a folder above";
    }
    return "unknown";
}

}  // namespace

void ExplainReport::LeftOut(const String& path, bool isFolder, LeftOutReason reason, const PathPattern* pattern) {
    const std::string text = ReasonText(reason, pattern);
    platform::WriteStandardError((isFolder ? "not entered: " + path.ToUtf8() + "/" : "left out: " + path.ToUtf8()) +
                                 " (" + text + ")\n");
    auto tally = tallies_.begin();
    while (tally != tallies_.end() && tally->reason != text) ++tally;
    if (tally == tallies_.end()) tally = tallies_.insert(tally, Tally{text});
    ++(isFolder ? tally->folders : tally->files);
    if (!isFolder) ++filesLeftOut_;
}

void ExplainReport::WriteCounts(int kept) const {
    std::string line = std::to_string(kept + filesLeftOut_) + " files listed, " + std::to_string(kept) + " kept";
    const auto append = [&](const char* heading, int Tally::*count) {
        const char* separator = heading;
        for (const Tally& tally : tallies_) {
            if (tally.*count == 0) continue;
            line += separator + std::to_string(tally.*count) + " " + tally.reason;
            separator = ", ";
        }
    };
    append("; left out: ", &Tally::files);
    append("; folders not entered: ", &Tally::folders);
    platform::WriteStandardError(line + "\n");
}

}  // namespace linkloom::cli
