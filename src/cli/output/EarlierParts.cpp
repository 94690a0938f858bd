#include "cli/output/EarlierParts.h"

#include <string>
#include <unordered_set>

#include "cli/check/SitemapBytes.h"
#include "cli/output/SitemapXml.h"
#include "core/model/SitemapLimits.h"
#include "core/url/UrlText.h"
#include "platform/XmlReader.h"

namespace linkloom::cli {

std::vector<int> EarlierParts(const OutputNames& names, const String& file) {
    SitemapBytes bytes(SitemapLimits().maxBytes);
    String ignored;
    if (!bytes.Open(file, ignored)) return {};
    std::unordered_set<std::string> named;
    SitemapXml xml([&](const SitemapItem& item, SitemapXml::Root root) {
        // A plain sitemap names no parts: nothing more to read.
        if (root != SitemapXml::Root::Index) return false;
        const std::size_t slash = item.location.rfind('/');
        named.insert(slash == std::string::npos ? item.location : item.location.substr(slash + 1));
        return true;
    });
    platform::ReadXml(bytes, xml);
    std::vector<int> parts;
    // An index of ours names its parts 1 to its count.
    for (int number = 1; number <= static_cast<int>(named.size()); ++number) {
        if (named.count(EncodeUrlSegment(names.PartName(number)).ToUtf8())) parts.push_back(number);
    }
    return parts;
}

}  // namespace linkloom::cli
