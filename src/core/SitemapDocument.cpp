#include "core/SitemapDocument.h"

namespace linkloom {

String SitemapHeader() {
    return u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r\n"
           u"<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\"> \r\n";
}

String SitemapFooter(int count) {
    return String(u"<!-- ") + String::FromInt(count) + u" files added -->\r\n</urlset>\r\n";
}

SitemapDocument::SitemapDocument() { buffer_.Append(SitemapHeader()); }

void SitemapDocument::Add(const SitemapEntry& entry) { buffer_.Append(FormatEntry(entry)); }

bool SitemapDocument::Finish(int count, String& document) {
    buffer_.Append(SitemapFooter(count));
    if (buffer_.Failed()) return false;
    document = buffer_.ToString();
    return true;
}

}  // namespace linkloom
