#include "cli/output/RunOutput.h"

#include "base/ControlCharacters.h"
#include "platform/Console.h"
#include "platform/OutputFile.h"

namespace linkloom::cli {

EntrySink* RunOutput::Start(const String& rootUrl) {
    if (!options_.output) {
        direct_ = std::make_unique<DirectSitemap>(std::nullopt, false, options_.site.rules.alternates);
        return direct_.get();
    }
    OutputNames names(*options_.output, options_.gzip);
    url_.emplace(names, options_.folder, rootUrl, options_.sitemapUrl);
    if (platform::ResolveOutputTarget(names.File()).kind == platform::OutputKind::Stream) {
        direct_ = std::make_unique<DirectSitemap>(names.File(), options_.gzip, options_.site.rules.alternates);
        return direct_.get();
    }
    set_ = std::make_unique<SitemapSet>(std::move(names), options_.gzip, url_->Folder(), options_.limits,
                                        options_.site.rules.alternates);
    return set_.get();
}

void RunOutput::Say(const String& text) const { platform::WriteStandardError(text.ToUtf8() + "\n"); }

void RunOutput::SayAssumedUrl() {
    if (!url_->Assumed() || saidUrl_) return;
    saidUrl_ = true;
    Say(String(u"note: ") + EscapeControlCharacters(*options_.output) + u" lies outside " +
        EscapeControlCharacters(options_.folder) + u"; its URL is taken to be " + url_->File() +
        u" (--sitemap-url gives another)");
}

const String& RunOutput::SitemapFileUrl() {
    SayAssumedUrl();
    return url_->File();
}

bool RunOutput::Finish(int count) {
    if (direct_) return direct_->Finish(count);
    if (companion_ && !set_->Include(companion_)) return false;
    // A signal that ends the run stops the switch before its next step and undoes it.
    return set_->Finish([] { return !platform::EndsWithoutWriting(platform::PendingStop()); });
}

void RunOutput::End(int count) {
    ended_ = true;
    stop_ = platform::PendingStop();
    if (!platform::EndsWithoutWriting(stop_)) {
        delivered_ = Finish(count);
        // A signal that came during the switch has undone it.
        if (!delivered_) stop_ = platform::PendingStop();
    }
    if (platform::EndsWithoutWriting(stop_)) {
        Say(set_ ? u"terminated: the output files are as they were" : u"terminated: the sitemap was not finished");
        return;
    }
    if (!delivered_) {
        Say(direct_ ? direct_->Error() : set_->Error());
        return;
    }
    const SitemapLimits& limits = options_.limits;
    if (direct_ && direct_->Exceeds(limits)) {
        Say(String(u"warning: ") + limits.Excess(direct_->Entries(), direct_->Bytes()) + u"; " +
            (options_.output ? u"a FIFO or device is never split" : u"write it with -o FILE to split it"));
    }
    // The index names its parts by FILE's URL.
    if (set_ && set_->Parts() > 1) SayAssumedUrl();
    if (stop_ == platform::StopRequest::Interrupt) {
        Say(String(u"cancelled: ") + String::FromInt(count) + u" entries written");
    }
}

}  // namespace linkloom::cli
