#pragma once

#include "base/String.h"
#include "core/PathPattern.h"

namespace linkloom {

enum class LeftOutReason {
    Extension,      // no extension, or one the list does not hold
    TemplateName,   // the name holds "template"
    Noindex,        // the page asks not to be indexed
    NoDoctype,      // the page's head holds no "!DOCTYPE"
    Unreadable,     // the page or its time could not be read
    Excluded,       // the path matches an exclude pattern
    SubfoldersOff,  // a folder, and the run stays in the top folder
    Unlistable,     // a folder whose listing cannot be opened
    LeadsBack,      // a folder link to a folder being walked
};

// What of a kept file was written otherwise than the file gave it.
enum class Adjustment {
    TimeOutOfRange,  // its time lies where no lastmod can name it; the nearest valid one was written
};

// Told of each file the walk considered and left out, of each folder it did not enter, and of
// each file it kept with an adjustment.
class WalkReport {
public:
    virtual ~WalkReport() = default;
    // `path` is relative to the walked folder with '/' between names; `pattern` is set for Excluded.
    virtual void LeftOut(const String& path, bool isFolder, LeftOutReason reason, const PathPattern* pattern) = 0;
    // `path` as for LeftOut.
    virtual void Adjusted(const String& path, Adjustment kind) {
        (void)path;
        (void)kind;
    }
};

}  // namespace linkloom
