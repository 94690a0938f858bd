#pragma once

#include "base/String.h"
#include "core/sitemap/EntrySink.h"
#include "core/sitemap/SitemapBuffer.h"

namespace linkloom {

// The XML declaration and the urlset start tag, each line ending in a blank and CR LF; with
// `alternates`, the tag declares the xhtml namespace of the entries' language alternates, with
// `images` the namespace of their images.
String SitemapHeader(bool alternates = false, bool images = false);
// The count comment and the end tag.
String SitemapFooter(int count);
// The frame of a sitemap index, whose <sitemap> elements name the parts of a split sitemap.
String SitemapIndexHeader();
String SitemapIndexFooter();

// A whole sitemap collected in one buffer: the header at once, entries as they come, the footer
// at the end.
class SitemapDocument : public EntrySink {
public:
    // With `alternates`, the entries may carry language alternates, whose namespace the tag declares.
    explicit SitemapDocument(bool alternates = false);
    void Add(const SitemapEntry& entry) override;
    bool Failed() const override { return buffer_.Failed(); }
    // The finished document; false when the buffer could not hold it.
    bool Finish(int count, String& document);

private:
    SitemapBuffer buffer_;
};

}  // namespace linkloom
