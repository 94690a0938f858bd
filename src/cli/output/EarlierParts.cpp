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

}  // namespace

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
