#include "cli/front/ProgressLine.h"

#include "platform/Console.h"
#include "platform/StopSignals.h"

namespace linkloom::cli {

bool ProgressLine::Show(const String& title) {
    SetTitle(title);
    return true;
}

void ProgressLine::SetTitle(const String& title) {
    if (!shown_) return;
    // Written over the previous title on the same line, blanks covering any longer one.
    std::string line = "\r" + title.ToUtf8();
    if (title.Length() < width_) line.append(width_ - title.Length(), ' ');
    width_ = title.Length();
    platform::WriteStandardError(line);
}

void ProgressLine::Hide() {
    if (!shown_ || width_ == 0) return;
    platform::WriteStandardError("\r" + std::string(width_, ' ') + "\r");
    width_ = 0;
}

bool ProgressLine::IsCancelled() { return platform::PendingStop() != platform::StopRequest::None; }

void ProgressLine::Notice(const String& text) {
    // A run that a signal ends says nothing more than that.
    if (platform::EndsWithoutWriting(platform::PendingStop())) return;
    // A message during the walk takes the progress line; the next title starts a new one.
    Hide();
    platform::WriteStandardError(text.ToUtf8() + "\n");
}

}  // namespace linkloom::cli
