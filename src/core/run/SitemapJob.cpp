#include "core/run/SitemapJob.h"

#include "core/model/JobMessages.h"
#include "core/url/RootUrl.h"
#include "core/sitemap/SitemapDocument.h"
#include "core/run/SitemapWalk.h"
#include "platform/Clock.h"
#include "platform/Directory.h"
#include "platform/LocalTime.h"
#include "platform/NativePath.h"

namespace linkloom {

bool SitemapJob::NormaliseExtensions(String text, String& normalised) {
    text.TrimLeft();
    if (text.Find(u'*') != String::npos || text.Find(u'?') != String::npos) return false;
    text.ReplaceAll(u".", u"");
    text.ReplaceAll(u" ", u",");
    while (text.ReplaceAll(u",,", u",") > 0) {
    }
    normalised = text.IsEmpty() ? String(u"htm") : text;
    return true;
}

String SitemapJob::AcceptFolder(String text, FolderForm form) {
    if (form == FolderForm::BoxText) {
        text.TrimLeft();
        const auto bar = text.Find(u'|');
        if (bar > 0) {
            text = text.Left(static_cast<std::size_t>(bar));
            text.TrimRight();
        }
        // Explorer's "Copy as path" puts the path in double quotes.
        if (text.Length() >= 2 && text[0] == u'"' && text.Last() == u'"') text = text.Mid(1).Left(text.Length() - 2);
    }
    if (text.IsEmpty()) return text;
    if (platform::PathKind(text) != platform::PathType::Folder) return String();
    return platform::ResolvedFolder(text);
}

bool SitemapJob::AcceptRootUrl(String text, String& accepted) {
    auto url = CanonicalRootUrl(std::move(text));
    if (url) accepted = std::move(*url);
    return url.has_value();
}

bool SitemapJob::Validate(JobSettings& settings) {
    const JobInputs inputs = host_.ReadInputs();
    const char16_t* error = nullptr;
    JobInput input = JobInput::Extensions;
    if (!NormaliseExtensions(inputs.extensions, settings.extensions)) {
        error = JobMessage::kWildcards;
    } else if ((settings.folder = AcceptFolder(inputs.folder, inputs.folderForm)).IsEmpty()) {
        error = JobMessage::kNoFolder;
        input = JobInput::Folder;
    } else if (!AcceptRootUrl(inputs.rootUrl, settings.rootUrl)) {
        error = JobMessage::kNoUrl;
        input = JobInput::RootUrl;
    }
    if (error) {
        host_.Reject(input, error);
        return false;
    }

    JobFlags flags = host_.Flags() & ~(JobFlag::Subfolders | JobFlag::ExcludeNoindex);
    if (inputs.subfolders) flags |= JobFlag::Subfolders;
    if (inputs.excludeNoindex) flags |= JobFlag::ExcludeNoindex;
    host_.SetFlags(flags);
    settings.flags = flags;

    const char16_t separator = PathSeparator(platform::kNativePathStyle);
    if (!settings.folder.EndsWith(separator)) settings.folder += separator;
    return true;
}

JobOutcome SitemapJob::Run() {
    JobSettings settings;
    if (!Validate(settings)) return JobOutcome::Rejected;
    // Saved before the walk, so the inputs persist even when the run is cancelled or finds nothing.
    host_.SaveSettings(settings);

    SitemapDocument document;
    EntrySink* stream = host_.EntryStream(settings);
    EntrySink& sink = stream ? *stream : document;
    const bool showsProgress = host_.ShowProgress(JobMessage::kWorking);
    const RunClock clock{platform::CurrentUtcOffsetSeconds(), platform::CurrentFileTime()};
    SitemapWalk walk(host_, showsProgress, settings, sink, clock);
    walk.Run();
    if (showsProgress) host_.HideProgress();

    if (walk.Count() == 0 && !sink.Failed()) {
        if (walk.FolderError()) {
            host_.NoEntries(NoEntriesCause::FolderUnreadable, platform::Describe(*walk.FolderError()));
            return JobOutcome::FolderUnreadable;
        }
        host_.NoEntries(walk.Cancelled() ? NoEntriesCause::Cancelled : NoEntriesCause::NothingMatched, String());
        return JobOutcome::NoFiles;
    }
    if (stream) {
        host_.EndEntries(walk.Count());
        return JobOutcome::Document;
    }
    String text;
    if (!document.Finish(walk.Count(), text)) {
        host_.ShowMessage(JobMessage::kOutOfMemory, MessageStyle::Error);
        return JobOutcome::OutOfMemory;
    }
    host_.TakeDocument(text, walk.Count());
    return JobOutcome::Document;
}

}  // namespace linkloom
