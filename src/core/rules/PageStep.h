#pragma once

#include <optional>
#include <vector>

#include "base/String.h"
#include "core/model/LinkNote.h"
#include "core/model/WalkReport.h"
#include "core/page/PageReader.h"
#include "core/sitemap/SitemapEntry.h"
#include "core/url/UrlReference.h"

namespace linkloom {

// One kept page on its way through the steps after its entry was made.
class PageContext {
public:
    PageContext(const PageFacts& facts, const String& ownLocation) : facts_(facts), ownLocation_(ownLocation) {}

    const PageFacts& Facts() const { return facts_; }
    // The URL of the page itself in normal form, whatever the steps make of its entry.
    const UrlParts& OwnUrl();
    // The URL its relative links are resolved against: the first <base href> of its head when
    // that is a URL, its own location otherwise.
    const UrlParts& Base();
    // Keeps a link a step ignored, for the report.
    void Note(LinkNote note) { notes_.push_back(std::move(note)); }
    const std::vector<LinkNote>& Notes() const { return notes_; }

private:
    const PageFacts& facts_;
    const String& ownLocation_;
    std::optional<UrlParts> own_;
    std::optional<UrlParts> base_;
    std::vector<LinkNote> notes_;
};

// Why a step left a page out, with what the report shows after the reason (may be empty).
struct StepVerdict {
    LeftOutReason reason;
    String detail;
};

// A rule of the plan's, applied on the run's thread to each page the selection kept, in walk
// order, once its entry is made: it may leave the page out, or change its entry.
class PageStep {
public:
    virtual ~PageStep() = default;
    virtual std::optional<StepVerdict> Apply(PageContext& page, SitemapEntry& entry) = 0;
    // What the step has to say once the walk has ended (a warning), or nothing.
    virtual String Closing() const { return String(); }
};

}  // namespace linkloom
