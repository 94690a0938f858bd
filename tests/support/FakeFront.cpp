#include "support/FakeFront.h"

#include "core/sitemap/SitemapDocument.h"

namespace linkloom::test {

Outcome FakeFront::Run() {
    auto checked = AcceptInputs(inputs);
    if (std::holds_alternative<Rejection>(checked)) return Outcome::Rejected;
    if (accepting) accepting();
    RunPlan plan(std::get<RunSettings>(checked));
    if (rules) plan.rules = *rules;
    plan.pageReaders = readers;
    SitemapDocument collected;
    SitemapRun run(plan,
                   {streams ? static_cast<EntrySink&>(*this) : collected, reports ? this : nullptr, *this, *this});
    switch (run.Run()) {
    case RunEnd::Entries: break;
    case RunEnd::FolderUnreadable: return Outcome::FolderUnreadable;
    case RunEnd::NothingMatched:
    case RunEnd::Stopped:
    case RunEnd::Cancelled: return Outcome::NoFiles;
    }
    if (streams) {
        calls.push_back("end " + std::to_string(run.Count()));
        return Outcome::Document;
    }
    String text;
    if (!collected.Finish(run.Count(), text)) return Outcome::OutOfMemory;
    calls.push_back("document");
    document = text.ToUtf8();
    return Outcome::Document;
}

bool FakeFront::Show(const String& title) {
    calls.push_back("progress " + title.ToUtf8());
    return hasProgress;
}

bool FakeFront::IsCancelled() {
    return (cancelAtPump > 0 && pumps >= cancelAtPump) || (cancelAtEntries > 0 && streamed.size() >= cancelAtEntries);
}

void FakeFront::LeftOut(const String& path, bool isFolder, LeftOutReason reason, const String& detail) {
    static const char* const names[] = {"extension",      "template name", "noindex",        "no doctype",
                                        "unreadable",     "excluded",      "subfolders off", "cannot be listed",
                                        "already walked", "URL too long",  "same URL",       "canonical elsewhere",
                                        "robots.txt",     "robots meta",   "the output",     "canonical left out",
                                        "error page",     "redirects"};
    leftOut.push_back(path.ToUtf8() + (isFolder ? "/" : "") + " (" + names[static_cast<int>(reason)] +
                      (detail.IsEmpty() ? "" : ": " + detail.ToUtf8()) + ")");
}

std::vector<std::string> FakeFront::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const auto& call : calls) {
        if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
    }
    return found;
}

}  // namespace linkloom::test
