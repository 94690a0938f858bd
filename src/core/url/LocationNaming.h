#pragma once

#include <string>

#include "base/String.h"
#include "core/walk/NameList.h"

namespace linkloom {

struct PageRules;

// Whether the locations that folder URLs and dropped extensions make end in '/'.
enum class TrailingSlash {
    Keep,    // folder URLs end in '/', names without their extension do not
    Always,  // both end in '/'
    Never,   // neither does, but for the root URL itself
};

// The last part of a page's location as the site serves it: nothing for an index page listed as
// its folder's URL, the name without an extension that locations leave out, or the name itself.
class LocationNaming {
public:
    // Names as they are.
    LocationNaming() = default;
    // From the rules' index names and dropped extensions, which outlive it; null for names as they are.
    explicit LocationNaming(const PageRules* rules);

    // Appends the name's part of the location, percent-encoded, to `location`, the URL of its folder;
    // `inTop` says that folder is the top one, whose URL is the root URL.
    void AppendName(std::u16string& location, const String& name, bool inTop) const;

private:
    const NameList* indexNames_ = nullptr;
    const NameList* dropped_ = nullptr;
    TrailingSlash trailing_ = TrailingSlash::Keep;
};

}  // namespace linkloom
