#pragma once

#include "base/String.h"
#include "core/run/JobHost.h"
#include "core/model/JobSettings.h"

namespace linkloom {

enum class JobOutcome {
    Rejected,          // an input failed validation; its message was shown
    NoFiles,           // the walk added nothing (or was cancelled before the first entry)
    FolderUnreadable,  // the folder exists but could not be listed; nothing was added
    OutOfMemory,       // the document could not be held
    Document,          // the host took the finished document, or the end of its streamed entries
};

// One "create xml" run: validate, save, walk, deliver.
class SitemapJob {
public:
    explicit SitemapJob(JobHost& host) : host_(host) {}
    JobOutcome Run();

    // The extension box text as a run normalises it: leading blanks removed, dots deleted,
    // blanks turned into commas, no two commas adjacent, "htm" when nothing is left.
    // False when the text holds a wildcard.
    static bool NormaliseExtensions(String text, String& normalised);
    // The folder input as a run reads it; the box text has its leading blanks removed, is cut
    // at a '|' after the first character and loses surrounding double quotes. Empty when it does
    // not name a directory; else the folder as the system resolves it, which the walk then takes.
    static String AcceptFolder(String text, FolderForm form = FolderForm::BoxText);
    // The root URL as CanonicalRootUrl gives it; false when it refuses the text.
    static bool AcceptRootUrl(String text, String& accepted);

private:
    bool Validate(JobSettings& settings);

    JobHost& host_;
};

}  // namespace linkloom
