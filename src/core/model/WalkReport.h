#pragma once

#include "base/String.h"
#include "core/model/LinkNote.h"

namespace linkloom {

enum class LeftOutReason {
    Extension,           // no extension, or one the list does not hold
    TemplateName,        // the name holds "template"
    Noindex,             // the page asks not to be indexed
    NoDoctype,           // the page's head holds no "!DOCTYPE"
    Unreadable,          // the page has no text to read, or it or its time could not be read
    Excluded,            // the path matches an exclude pattern
    SubfoldersOff,       // a folder, and the run stays in the top folder
    Unlistable,          // a folder that cannot be opened or listed
    AlreadyWalked,       // a folder link to a folder this run has walked
    UrlTooLong,          // the location would pass the 2,048 characters a sitemap allows
    SameUrl,             // a page earlier in the walk gave the same location
    CanonicalElsewhere,  // the page's canonical link names a URL outside the root URL
    RobotsTxt,           // robots.txt keeps crawlers away from the location
    RobotsMeta,          // the page's robots meta tags say noindex or none
    Output,              // a file the run writes: its output, or its record
    CanonicalLeftOut,    // the page's canonical link leads to a page the run left out
    ErrorPage,           // the page is a server's error page, such as 404.html
    Redirect,            // the page's head refreshes to another URL
};

// What of a kept file was written otherwise than the file gave it.
enum class Adjustment {
    TimeOutOfRange,  // its time lies where no lastmod can name it; the nearest valid one was written
    TimeInFuture,    // its time is later than the run's start, which was written instead
};

// Told of each file the walk considered and left out, of each folder it did not enter, of each
// file it kept with an adjustment, and of each link of a kept page that was ignored.
class WalkReport {
public:
    virtual ~WalkReport() = default;
    // `path` is relative to the walked folder with '/' between names. `detail` is the pattern for
    // Excluded, the system's reason for Unreadable and Unlistable, the earlier page's path for
    // SameUrl and CanonicalLeftOut, the URL for CanonicalElsewhere and Redirect and the rule for RobotsTxt;
    // empty otherwise.
    virtual void LeftOut(const String& path, bool isFolder, LeftOutReason reason, const String& detail) = 0;
    // `path` as for LeftOut.
    virtual void Adjusted(const String& path, Adjustment kind) {
        (void)path;
        (void)kind;
    }
    // A link of the kept page at `path` that was ignored.
    virtual void LinkIgnored(const String& path, const LinkNote& note) {
        (void)path;
        (void)note;
    }
    // `count` of the run's `entries` have the lastmod `date`, more than half of them.
    virtual void DatesShared(int count, int entries, const String& date) {
        (void)count;
        (void)entries;
        (void)date;
    }
};

}  // namespace linkloom
