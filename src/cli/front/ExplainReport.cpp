#include "cli/front/ExplainReport.h"

#include "base/ControlCharacters.h"
#include "platform/Console.h"

namespace linkloom::cli {

namespace {

// A name, pattern or reason as a message shows it: control characters escaped, so it keeps to its line.
std::string Shown(const String& text) { return EscapeControlCharacters(text).ToUtf8(); }

const char* ReasonText(LeftOutReason reason) {
    switch (reason) {
    case LeftOutReason::Extension: return "extension";
    case LeftOutReason::TemplateName: return "template name";
    case LeftOutReason::Noindex: return "noindex";
    case LeftOutReason::NoDoctype: return "no doctype";
    case LeftOutReason::Unreadable: return "unreadable";
    case LeftOutReason::Excluded: return "excluded by";
    case LeftOutReason::SubfoldersOff: return "subfolders off";
    case LeftOutReason::Unlistable: return "cannot be listed";
    case LeftOutReason::AlreadyWalked: return "already walked";
    case LeftOutReason::UrlTooLong: return "URL longer than 2,048 characters";
    case LeftOutReason::SameUrl: return "same URL";
    case LeftOutReason::CanonicalElsewhere: return "canonical elsewhere";
    case LeftOutReason::RobotsTxt: return "robots.txt";
    case LeftOutReason::RobotsMeta: return "robots meta";
    case LeftOutReason::Output: return "the output";
    case LeftOutReason::CanonicalLeftOut: return "canonical is left out";
    case LeftOutReason::ErrorPage: return "error page";
    case LeftOutReason::Redirect: return "redirects";
    }
    return "unknown";
}

const char* ProblemText(LinkProblem problem) {
    switch (problem) {
    case LinkProblem::None: break;
    case LinkProblem::Empty: return "empty";
    case LinkProblem::Blank: return "a blank or control character in it";
    case LinkProblem::Fragment: return "holds a fragment";
    case LinkProblem::Malformed: return "not a URL";
    case LinkProblem::NotHttp: return "not an http or https URL";
    case LinkProblem::ClimbsAboveTop: return "'..' above the top of the site";
    case LinkProblem::TooLong: return "longer than 2,048 characters";
    case LinkProblem::BadLanguage: return "not a language tag";
    case LinkProblem::RepeatedLanguage: return "language named before";
    case LinkProblem::InCycle: return "in a cycle of canonical links, which are ignored";
    case LinkProblem::LongChain: return "a chain of canonical links too long to follow";
    }
    return "unknown";
}

// "1 folder" or "3 folders".
std::string Counted(int count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace

void ExplainReport::LeftOut(const String& path, bool isFolder, LeftOutReason reason, const String& detail) {
    // Tallies go by reason, and by pattern for exclusions; the lines also give the system's reason.
    std::string tallied = ReasonText(reason);
    std::string shown = tallied;
    if (reason == LeftOutReason::Excluded) {
        tallied += " " + Shown(detail);
        shown = tallied;
    } else if (reason == LeftOutReason::SameUrl) {
        shown += " as " + Shown(detail);
    } else if (reason == LeftOutReason::Redirect) {
        shown += " to " + Shown(detail);
    } else if (!detail.IsEmpty()) {
        shown += ": " + Shown(detail);
    }
    if (listsEach_) {
        platform::WriteStandardError((isFolder ? "not entered: " + Shown(path) + "/" : "left out: " + Shown(path)) +
                                     " (" + shown + ")\n");
    }
    auto tally = tallies_.begin();
    while (tally != tallies_.end() && tally->reason != tallied) ++tally;
    if (tally == tallies_.end()) tally = tallies_.insert(tally, Tally{tallied});
    ++(isFolder ? tally->folders : tally->files);
    if (!isFolder) ++filesLeftOut_;
    if (reason == LeftOutReason::UrlTooLong) ++tooLong_;
    if (reason == LeftOutReason::Unlistable) ++unreadableFolders_;
    if (reason == LeftOutReason::Unreadable && !detail.IsEmpty()) ++unreadablePages_;
}

void ExplainReport::Adjusted(const String& path, Adjustment kind) {
    switch (kind) {
    case Adjustment::TimeOutOfRange:
        if (listsEach_) {
            platform::WriteStandardError("adjusted: " + Shown(path) +
                                         " (time out of range, written as the nearest valid date)\n");
        }
        ++timesOutOfRange_;
        break;
    case Adjustment::TimeInFuture:
        if (listsEach_) {
            platform::WriteStandardError("adjusted: " + Shown(path) +
                                         " (date later than the run's start, written as the start)\n");
        }
        ++timesInFuture_;
        break;
    }
}

void ExplainReport::LinkIgnored(const String& path, const LinkNote& note) {
    ++linksIgnored_;
    if (!listsEach_) return;
    const std::string link = note.role == LinkRole::Canonical
                                 ? "canonical link '" + Shown(note.href) + "'"
                                 : "alternate '" + Shown(note.language) + "' '" + Shown(note.href) + "'";
    platform::WriteStandardError("ignored: " + Shown(path) + " (" + link + ": " + ProblemText(note.problem) + ")\n");
}

void ExplainReport::DatesShared(int count, int entries, const String& date) {
    sharedDate_ = std::to_string(count) + " of " + std::to_string(entries) + " lastmods on " + date.ToUtf8();
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
    if (linksIgnored_ > 0) line += "; " + Counted(linksIgnored_, "link") + " ignored";
    if (timesOutOfRange_ > 0) {
        line += "; " + Counted(timesOutOfRange_, "file time") + " out of range written as the nearest valid date";
    }
    if (timesInFuture_ > 0) {
        line += "; " + Counted(timesInFuture_, "date") + " later than the run's start written as the start";
    }
    if (!sharedDate_.empty()) line += "; " + sharedDate_;
    platform::WriteStandardError(line + "\n");
}

std::vector<std::string> ExplainReport::Warnings() const {
    std::vector<std::string> warnings;
    if (tooLong_ > 0) {
        warnings.push_back("warning: " + Counted(tooLong_, "page") + " left out: URL longer than 2,048 characters");
    }
    if (listsEach_ || unreadableFolders_ + unreadablePages_ == 0) return warnings;
    std::string what;
    if (unreadableFolders_ > 0) what = Counted(unreadableFolders_, "folder");
    if (unreadableFolders_ > 0 && unreadablePages_ > 0) what += " and ";
    if (unreadablePages_ > 0) what += Counted(unreadablePages_, "page");
    warnings.push_back(what + " could not be read; --explain lists them");
    return warnings;
}

}  // namespace linkloom::cli
