#include "cli/ExplainReport.h"

#include "base/ControlCharacters.h"
#include "platform/Console.h"

namespace linkloom::cli {

namespace {

// A name or pattern as a message shows it: control characters escaped, so it keeps to its line.
std::string Shown(const String& text) { return EscapeControlCharacters(text).ToUtf8(); }

std::string ReasonText(LeftOutReason reason, const PathPattern* pattern) {
    switch (reason) {
    case LeftOutReason::Extension: return "extension";
    case LeftOutReason::TemplateName: return "template name";
    case LeftOutReason::Noindex: return "noindex";
    case LeftOutReason::NoDoctype: return "no doctype";
    case LeftOutReason::Unreadable: return "unreadable";
    case LeftOutReason::Excluded: return "excluded by " + (pattern ? Shown(pattern->Text()) : std::string());
    case LeftOutReason::SubfoldersOff: return "subfolders off";
    case LeftOutReason::Unlistable: return "cannot be listed";
    case LeftOutReason::LeadsBack: return "leads back to a folder above";
    }
    return "unknown";
}

}  // namespace

void ExplainReport::LeftOut(const String& path, bool isFolder, LeftOutReason reason, const PathPattern* pattern) {
    const std::string text = ReasonText(reason, pattern);
    platform::WriteStandardError((isFolder ? "not entered: " + Shown(path) + "/" : "left out: " + Shown(path)) + " (" +
                                 text + ")\n");
    auto tally = tallies_.begin();
    while (tally != tallies_.end() && tally->reason != text) ++tally;
    if (tally == tallies_.end()) tally = tallies_.insert(tally, Tally{text});
    ++(isFolder ? tally->folders : tally->files);
    if (!isFolder) ++filesLeftOut_;
}

void ExplainReport::Adjusted(const String& path, Adjustment kind) {
    switch (kind) {
    case Adjustment::TimeOutOfRange:
        platform::WriteStandardError("adjusted: " + Shown(path) +
                                     " (time out of range, written as the nearest valid date)\n");
        ++timesOutOfRange_;
        break;
    }
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
    if (timesOutOfRange_ > 0) {
        line += "; " + std::to_string(timesOutOfRange_) + (timesOutOfRange_ == 1 ? " file time" : " file times") +
                " out of range written as the nearest valid date";
    }
    platform::WriteStandardError(line + "\n");
}

}  // namespace linkloom::cli
