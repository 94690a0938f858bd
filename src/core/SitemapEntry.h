#pragma once

#include <cstdint>

#include "base/String.h"
#include "core/UrlText.h"
#include "platform/Directory.h"

namespace linkloom {

// One <url> element: its location (already percent-encoded, not yet XML-escaped) and lastmod text.
struct SitemapEntry {
    String location;
    String lastmod;
};

// The local calendar date of a file time, "2024-03-03", or with the time of day and the offset
// applied, "2024-03-03T09:05:07+01:00". The same offset serves every file of a run.
String LastmodText(platform::FileTime time, bool withTime, std::int64_t utcOffsetSeconds);

// The text with & < > " ' replaced by their XML entity references.
String EscapeXml(const String& text);

// The four lines of the element, each ending in CR LF; a sitemap index uses "sitemap" elements
// of the same form.
String FormatEntry(const SitemapEntry& entry, const char16_t* element = u"url");

}  // namespace linkloom
