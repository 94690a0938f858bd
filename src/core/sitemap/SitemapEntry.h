#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/String.h"
#include "core/url/UrlText.h"
#include "platform/Directory.h"

namespace linkloom {

// A language version of a page: its hreflang and its URL (percent-encoded, not yet XML-escaped).
struct Alternate {
    String language;
    String location;
};

// One <url> element: its location (already percent-encoded, not yet XML-escaped), its lastmod
// text (empty for none), the page's language versions, written as xhtml:link elements after
// the lastmod, and the URLs of its images (percent-encoded), written as image:image elements.
struct SitemapEntry {
    String location;
    String lastmod;
    std::vector<Alternate> alternates = {};
    std::vector<String> images = {};
};

// The local calendar date of a file time, "2024-03-03", or with the time of day and the offset
// applied, "2024-03-03T09:05:07+01:00". The same offset serves every file of a run; one beyond
// the +-14:00 of real time zones is held to that range. A time past 9999-12-31T23:59:59 local
// time, which no four-digit year can name, is written as that last second.
String LastmodText(platform::FileTime time, bool withTime, std::int64_t utcOffsetSeconds);
// True when LastmodText writes the last second of the year 9999 in place of the file's own time.
bool LastmodClamped(platform::FileTime time, std::int64_t utcOffsetSeconds);

// The text with & < > " ' replaced by their XML entity references.
String EscapeXml(const String& text);

// The lines of the element, each ending in CR LF: the location, the lastmod when there is one,
// and one per alternate; a sitemap index
// uses "sitemap" elements of the same form.
String FormatEntry(const SitemapEntry& entry, const char16_t* element = u"url");
// The same lines in UTF-8, as files hold them, appended to `out`.
void AppendEntryUtf8(std::string& out, const SitemapEntry& entry, const char16_t* element = u"url");

}  // namespace linkloom
