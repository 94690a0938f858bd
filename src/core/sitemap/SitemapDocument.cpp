#include "core/sitemap/SitemapDocument.h"

namespace linkloom {

namespace {

constexpr char16_t kDeclaration[] = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r\n";
constexpr char16_t kNamespace[] = u" xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\"";
constexpr char16_t kXhtmlNamespace[] = u" xmlns:xhtml=\"http://www.w3.org/1999/xhtml\"";
constexpr char16_t kImageNamespace[] = u" xmlns:image=\"http://www.google.com/schemas/sitemap-image/1.1\"";
constexpr char16_t kStartTagEnd[] = u"> \r\n";

}  // namespace

String SitemapHeader(bool alternates, bool images) {
    return String(kDeclaration) + u"<urlset" + kNamespace + (alternates ? kXhtmlNamespace : u"") +
           (images ? kImageNamespace : u"") + kStartTagEnd;
}

String SitemapIndexHeader() { return String(kDeclaration) + u"<sitemapindex" + kNamespace + kStartTagEnd; }

String SitemapIndexFooter() { return u"</sitemapindex>\r\n"; }

String SitemapFooter(int count) {
    return String(u"<!-- ") + String::FromInt(count) + u" files added -->\r\n</urlset>\r\n";
}

SitemapDocument::SitemapDocument(bool alternates) { buffer_.Append(SitemapHeader(alternates)); }

void SitemapDocument::Add(const SitemapEntry& entry) { buffer_.Append(FormatEntry(entry)); }

bool SitemapDocument::Finish(int count, String& document) {
    buffer_.Append(SitemapFooter(count));
    if (buffer_.Failed()) return false;
    document = buffer_.ToString();
    return true;
}

}  // namespace linkloom
