#pragma once

#include "base/String.h"
#include "core/page/PageReader.h"
#include "core/url/LocationNaming.h"
#include "core/walk/NameList.h"

namespace linkloom {

class RobotsTxt;

// What a run's plan asks of the pages kept and of their locations beyond the desktop program's run,
// so that the sitemap lists the URLs a site serves and wants indexed.
struct PageRules {
    // Index pages listed as their folder's URL.
    bool folderUrls = false;
    NameList indexNames = {u"index.html", u"index.htm", u"index.php"};
    // Extensions that locations leave out; empty for none.
    NameList droppedExtensions;
    // Whether the locations of index pages and of names without their extension end in '/'.
    TrailingSlash trailingSlash = TrailingSlash::Keep;
    // A page listed at the URL its canonical link names, or left out when that lies elsewhere.
    bool canonical = false;
    // Pages whose robots meta tags say noindex or none left out, in place of the word test.
    bool robotsMeta = false;
    // Each page's language alternates copied into its entry.
    bool alternates = false;
    // Each page's images listed in its entry.
    bool images = false;
    // Redirect stubs (a head that refreshes to another URL) left out.
    bool skipRedirects = false;
    // Servers' error pages (404.html, 50x.html, 404/index.html) left out.
    bool skipErrorPages = false;
    // The site's robots.txt, whose rules for every crawler leave locations out; null for none.
    const RobotsTxt* robots = nullptr;

    // True when two pages may come to one location, so that entries are merged before they go.
    bool MergesLocations() const { return folderUrls || !droppedExtensions.Items().empty() || canonical; }
    // What these rules need read of each page, added to `needs`.
    PageNeeds Needs(PageNeeds needs) const {
        needs.headTags |= canonical || robotsMeta || alternates || skipRedirects || images;
        needs.images |= images;
        needs.text |= robotsMeta;
        return needs;
    }
};

}  // namespace linkloom
