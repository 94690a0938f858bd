#pragma once

#include <optional>

#include "base/String.h"
#include "cli/output/OutputNames.h"

namespace linkloom::cli {

// Where crawlers find a sitemap FILE written with -o, and the parts beside it: at the URL given
// for it; when FILE lies inside FOLDER, at the root URL followed by its path there; otherwise at
// the root URL followed by its name, which is only assumed.
class SitemapUrl {
public:
    // `given` is a URL that Accept took, or nothing.
    SitemapUrl(const OutputNames& names, const String& folder, const String& rootUrl,
               const std::optional<String>& given);

    // The URL the user gave for FILE in normal form, when it is an absolute http or https URL
    // without a fragment that names a file (its path does not end in '/').
    static std::optional<String> Accept(const String& text);

    const String& File() const { return file_; }
    // The URL of FILE's folder, ending in '/'.
    const String& Folder() const { return folder_; }
    // True when FILE lies outside FOLDER and no URL was given.
    bool Assumed() const { return assumed_; }

private:
    String file_;
    String folder_;
    bool assumed_ = false;
};

}  // namespace linkloom::cli
