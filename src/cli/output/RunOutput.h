#pragma once

#include <memory>
#include <vector>

#include "base/String.h"
#include "cli/front/CliOptions.h"
#include "cli/output/DirectSitemap.h"
#include "cli/output/SitemapSet.h"
#include "cli/output/SitemapUrl.h"
#include "cli/output/WrittenFile.h"
#include "core/model/NoticeSink.h"
#include "core/sitemap/EntrySink.h"
#include "platform/StopSignals.h"

namespace linkloom::cli {

// Where a run's entries go, chosen when the walk starts: standard output, the FIFO or device
// that -o names (one document, never split), or a set of files in place of FILE. At the end it
// writes the document, or drops it when a signal ends the run, and says on standard error what
// became of it.
class RunOutput {
public:
    // Notes and warnings go to `notices`.
    RunOutput(const CliOptions& options, NoticeSink& notices) : options_(options), notices_(notices) {}

    EntrySink* Start(const String& rootUrl);
    // The walk has ended with `count` entries (at least one, or a failed sink).
    void End(int count);

    // `companion` is switched in with a set of files, both or neither; Companion() tells whether
    // one took it.
    void SwitchWith(SitemapSet::Companion companion) { companion_ = std::move(companion); }
    // The URL at which crawlers find FILE (-o only); said once when it is only assumed.
    const String& SitemapFileUrl();

    // True once the document is in place.
    bool Delivered() const { return delivered_; }
    // Why the document is not in place, once the output has ended; empty when it is.
    const String& Error() const { return error_; }
    // The files written, once the document is in place.
    std::vector<WrittenFile> Written() const;
    // The request the output ended under; before the end, the one pending.
    platform::StopRequest Stop() const { return ended_ ? stop_ : platform::PendingStop(); }

private:
    bool Finish(int count);
    // Says why the document is not in place.
    void Fail(const String& text);
    void SayAssumedUrl();
    // Names the parts of a text sitemap split at the limits.
    void SayTextParts() const;

    const CliOptions& options_;
    NoticeSink& notices_;
    std::unique_ptr<DirectSitemap> direct_;
    std::unique_ptr<SitemapSet> set_;
    SitemapSet::Companion companion_;
    std::optional<SitemapUrl> url_;
    bool saidUrl_ = false;
    bool ended_ = false;
    bool delivered_ = false;
    String error_;
    platform::StopRequest stop_ = platform::StopRequest::None;
};

}  // namespace linkloom::cli
