#include "cli/output/RunOutput.h"

#include "base/ControlCharacters.h"
#include "platform/Console.h"
#include "platform/OutputFile.h"

namespace linkloom::cli {

EntrySink* RunOutput::Start(const String& rootUrl) {
    const SitemapForm form(options_.format, options_.site.rules.alternates, options_.stylesheet,
                           options_.site.rules.images);
    if (!options_.output) {
        direct_ = std::make_unique<DirectSitemap>(std::nullopt, false, form);
        return direct_.get();
    }
    OutputNames names(*options_.output, options_.gzip, form.Extension());
    url_.emplace(names, options_.folder, rootUrl, options_.sitemapUrl);
    if (platform::ResolveOutputTarget(names.File()).kind == platform::OutputKind::Stream) {
        direct_ = std::make_unique<DirectSitemap>(names.File(), options_.gzip, form);
        return direct_.get();
    }
    std::optional<Sections> sections;
    if (options_.sectionDepth) sections.emplace(rootUrl, *options_.sectionDepth);
    set_ = std::make_unique<SitemapSet>(std::move(names), options_.gzip, url_->Folder(), options_.limits, form,
                                        std::move(sections));
    return set_.get();
}

void RunOutput::Fail(const String& text) {
    error_ = text;
    platform::WriteStandardError(text.ToUtf8() + "\n");
}

std::vector<WrittenFile> RunOutput::Written() const {
    if (!delivered_) return {};
    if (set_) return set_->Files(url_->File());
    if (!options_.output) return {{std::nullopt, std::nullopt, direct_->Size()}};
    return {{*options_.output, url_->File(), direct_->Size()}};
}

void RunOutput::SayTextParts() const {
    String list;
    for (const WrittenFile& file : set_->Files(url_->File())) {
        if (!list.IsEmpty()) list += u", ";
        list += EscapeControlCharacters(*file.path);
    }
    notices_.Notice(String(u"note: a text sitemap has no index; its entries are in ") + String::FromInt(set_->Parts()) +
                    u" files: " + list);
}

void RunOutput::SayAssumedUrl() {
    if (!url_->Assumed() || saidUrl_) return;
    saidUrl_ = true;
    notices_.Notice(String(u"note: ") + EscapeControlCharacters(*options_.output) + u" lies outside " +
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
        Fail(set_ ? u"terminated: the output files are as they were" : u"terminated: the sitemap was not finished");
        return;
    }
    if (!delivered_) {
        Fail(direct_ ? direct_->Error() : set_->Error());
        return;
    }
    const SitemapLimits& limits = options_.limits;
    if (direct_ && direct_->Exceeds(limits)) {
        notices_.Notice(String(u"warning: ") + limits.Excess(direct_->Entries(), direct_->Bytes()) + u"; " +
                        (options_.output ? u"a FIFO or device is never split" : u"write it with -o FILE to split it"));
    }
    if (set_ && set_->Parts() > 1) {
        // The index names its parts by FILE's URL; text parts have no index to find them by.
        if (options_.format == SitemapFormat::Text) {
            SayTextParts();
        } else {
            SayAssumedUrl();
        }
    }
    if (stop_ == platform::StopRequest::Interrupt) {
        notices_.Notice(String(u"cancelled: ") + String::FromInt(count) + u" entries written");
    }
}

}  // namespace linkloom::cli
