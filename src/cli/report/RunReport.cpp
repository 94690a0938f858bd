#include "cli/report/RunReport.h"

namespace linkloom::cli {

namespace {

constexpr std::u16string_view kWarningPrefix = u"warning: ";

}  // namespace

const char* ReasonName(LeftOutReason reason) {
    switch (reason) {
    case LeftOutReason::Extension: return "extension";
    case LeftOutReason::TemplateName: return "template-name";
    case LeftOutReason::Noindex: return "noindex";
    case LeftOutReason::NoDoctype: return "no-doctype";
    case LeftOutReason::Unreadable: return "unreadable";
    case LeftOutReason::Excluded: return "excluded";
    case LeftOutReason::SubfoldersOff: return "subfolders-off";
    case LeftOutReason::Unlistable: return "unlistable";
    case LeftOutReason::AlreadyWalked: return "already-walked";
    case LeftOutReason::UrlTooLong: return "url-too-long";
    case LeftOutReason::SameUrl: return "same-url";
    case LeftOutReason::CanonicalElsewhere: return "canonical-elsewhere";
    case LeftOutReason::RobotsTxt: return "robots-txt";
    case LeftOutReason::RobotsMeta: return "robots-meta";
    case LeftOutReason::Output: return "output";
    case LeftOutReason::CanonicalLeftOut: return "canonical-left-out";
    case LeftOutReason::ErrorPage: return "error-page";
    case LeftOutReason::Redirect: return "redirect";
    }
    return "unknown";
}

void RunReport::LeftOut(const String& path, bool isFolder, LeftOutReason reason, const String& detail) {
    auto tally = tallies_.begin();
    while (tally != tallies_.end() && tally->reason != reason) ++tally;
    if (tally == tallies_.end()) tally = tallies_.insert(tally, Tally{reason});
    ++(isFolder ? tally->folders : tally->files);
    if (!isFolder) ++filesLeftOut_;
    if (options_.explain) items_.push_back({path, isFolder, reason, detail});
}

void RunReport::Count(const std::string& name, long long delta) {
    for (auto& [counted, value] : counts_) {
        if (counted == name) {
            value += delta;
            return;
        }
    }
    counts_.emplace_back(name, delta);
}

void RunReport::Warning(const String& text) {
    // The word that starts the line on a terminal is what a report's field says already.
    const std::u16string& units = text.Text();
    warnings_.push_back(units.compare(0, kWarningPrefix.size(), kWarningPrefix) == 0
                            ? String(std::u16string_view(units).substr(kWarningPrefix.size()))
                            : text);
}

}  // namespace linkloom::cli
