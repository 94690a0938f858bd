#include "core/model/SitemapLimits.h"

namespace linkloom {

String SitemapLimits::Excess(int entries, std::uint64_t bytes) const {
    return String(u"the sitemap holds ") + String::FromInt(entries) + u" entries and " +
           String::FromInt(static_cast<long long>(bytes)) + u" bytes, more than one sitemap file may hold (" +
           String::FromInt(maxEntries) + u" entries, " + String::FromInt(static_cast<long long>(maxBytes)) + u" bytes)";
}

}  // namespace linkloom
