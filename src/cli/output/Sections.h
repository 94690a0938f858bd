#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/String.h"

namespace linkloom::cli {

// The sections of a site that --split-by gives a sitemap each: a location's folders under the
// root URL, up to a depth.
class Sections {
public:
    // The most folders a section's key takes; the default and the most --split-by allows.
    static constexpr int kDefaultDepth = 1;
    static constexpr int kMostDepth = 16;

    Sections(String rootUrl, int depth) : rootUrl_(std::move(rootUrl)), depth_(depth) {}

    // The section of a location under the root URL: its first folders (at most the depth), '/'
    // between them as the location spells them; empty for a page at the top.
    std::u16string KeyOf(const String& location) const;

private:
    String rootUrl_;
    int depth_;
};

// The names that make the sections' file names, in the order of `keys`: each key's folders
// joined by '-', in lower case, anything but letters, digits, '-', '_' and '.' as '_', and cut to
// a length every system takes; "root" for the top. `fileNames(name, index)` gives the file
// names section `index` would take under `name`: a name taken already, or whose files one taken
// already has (in any letter case), gets "_2", "_3", ... The top's section is named first, so a folder named "root"
// gives way to it.
std::vector<String> SectionNames(const std::vector<std::u16string>& keys,
                                 const std::function<std::vector<String>(const String&, std::size_t)>& fileNames);

}  // namespace linkloom::cli
