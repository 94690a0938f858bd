#pragma once

#include <optional>
#include <string_view>

#include "base/String.h"
#include "core/model/LinkNote.h"
#include "core/url/UrlReference.h"

namespace linkloom {

// The URL a link's `href` leads to from a page whose base URL is `base` (an absolute http or
// https URL in normal form): the blanks around the href dropped, the reference resolved and put
// into normal form. LinkProblem::None with `target` set, or why it leads nowhere a sitemap can
// name; a length is not judged here.
LinkProblem ResolveLink(std::u16string_view href, const UrlParts& base, UrlParts& target);

// The root URL that every location starts with, to tell which URLs lie under it.
class SiteRoot {
public:
    // `url` as CanonicalRootUrl accepts it.
    explicit SiteRoot(String url);

    const String& Url() const { return url_; }
    // The location of a URL in normal form that lies under the root: the root URL as given,
    // followed by the rest of the URL's path and its query. Nothing for a URL elsewhere: another
    // scheme, host or port, or a path outside the root's.
    std::optional<String> Locate(const UrlParts& url) const;

private:
    String url_;
    UrlParts normal_;
};

}  // namespace linkloom
