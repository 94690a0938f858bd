#include "cli/output/EarlierParts.h"

#include <string>

#include "base/AsciiCharacters.h"
#include "cli/check/SitemapBytes.h"
#include "cli/output/SitemapXml.h"
#include "core/model/SitemapLimits.h"
#include "core/url/UrlText.h"
#include "platform/XmlReader.h"

namespace linkloom::cli {

namespace {

// The part's name when the index's last segment names one of ours, else empty.
String OwnPart(const OutputNames& names, const std::string& segment) {
    const std::string prefix = EncodeUrlSegment(names.PartName(u"")).ToUtf8();
    const std::string extension = names.Extension().ToUtf8();
    const std::size_t cut = prefix.size() - extension.size();
    if (segment.size() <= prefix.size() || segment.compare(0, cut, prefix, 0, cut) != 0 ||
        segment.compare(segment.size() - extension.size(), extension.size(), extension) != 0) {
        return String();
    }
    const std::string middle = segment.substr(cut, segment.size() - prefix.size());
    // Only numbered parts: a section's name may be a sitemap of the site owner's own.
    for (const char c : middle) {
        if (!IsAsciiDigit(c)) return String();
    }
    return names.PartName(String::FromUtf8(middle));
}

// True when the file's first line is an http(s) URL, as in a text sitemap of ours.
bool IsTextSitemap(const String& path) {
    SitemapBytes bytes(SitemapLimits().maxBytes);
    if (bytes.Open(path)) return false;
    // A location takes at most 3 bytes a character in UTF-8, and CR LF may end it.
    std::string head(3 * kMostLocationLength + 2, '\0');
    std::size_t filled = 0, got = 0;
    while (filled < head.size() && bytes.Read(head.data() + filled, head.size() - filled, got) && got > 0) {
        filled += got;
    }
    head.resize(filled);
    const std::size_t end = head.find('\n');
    if (end == std::string::npos) return false;
    const std::string_view line(head.data(), end - (end > 0 && head[end - 1] == '\r'));
    for (const char c : line) {
        if (static_cast<unsigned char>(c) <= ' ' || c == '\x7f') return false;
    }
    return line.rfind("https://", 0) == 0 || line.rfind("http://", 0) == 0;
}

}  // namespace

std::vector<String> EarlierTextParts(const OutputNames& names) {
    std::vector<String> parts;
    for (int number = 1; IsTextSitemap(names.PartPath(number)); ++number) parts.push_back(names.PartName(number));
    return parts;
}

std::vector<String> EarlierParts(const OutputNames& names, const String& file) {
    SitemapBytes bytes(SitemapLimits().maxBytes);
    if (bytes.Open(file)) return {};
    std::vector<String> parts;
    SitemapXml xml([&](const SitemapItem& item, SitemapXml::Root root) {
        // A plain sitemap names no parts: nothing more to read.
        if (root != SitemapXml::Root::Index) return false;
        const std::size_t slash = item.location.rfind('/');
        String part = OwnPart(names, slash == std::string::npos ? item.location : item.location.substr(slash + 1));
        if (!part.IsEmpty()) parts.push_back(std::move(part));
        return true;
    });
    platform::ReadXml(bytes, xml);
    return parts;
}

}  // namespace linkloom::cli
