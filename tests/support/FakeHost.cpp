#include "support/FakeHost.h"

namespace linkloom::test {

void FakeHost::ShowMessage(const String& text, MessageStyle style) {
    calls.push_back("message " + std::to_string(static_cast<unsigned>(style)) + " " + text.ToUtf8());
}

void FakeHost::FocusInput(JobInput input) {
    static const char* const names[] = {"extensions", "folder", "url"};
    calls.push_back(std::string("focus ") + names[static_cast<int>(input)]);
}

void FakeHost::SaveSettings(const JobSettings& settings) {
    calls.push_back("save");
    saved.push_back(settings);
}

bool FakeHost::ShowProgress(const String& title) {
    calls.push_back("progress " + title.ToUtf8());
    return hasProgress;
}

bool FakeHost::IsCancelled() {
    return (cancelAtPump > 0 && pumps >= cancelAtPump) || (cancelAtEntries > 0 && streamed.size() >= cancelAtEntries);
}

void FakeHost::LeftOut(const String& path, bool isFolder, LeftOutReason reason, const String& detail) {
    static const char* const names[] = {"extension",      "template name", "noindex",       "no doctype",
                                        "unreadable",     "excluded",      "subfolders off", "cannot be listed",
                                        "already walked", "URL too long",  "same URL",      "canonical elsewhere",
                                        "robots.txt",     "robots meta"};
    leftOut.push_back(path.ToUtf8() + (isFolder ? "/" : "") + " (" + names[static_cast<int>(reason)] +
                           (detail.IsEmpty() ? "" : ": " + detail.ToUtf8()) + ")");
}

void FakeHost::TakeDocument(const String& text, int) {
    calls.push_back("document");
    document = text.ToUtf8();
}

std::vector<std::string> FakeHost::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const auto& call : calls) {
        if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
    }
    return found;
}

}  // namespace linkloom::test
