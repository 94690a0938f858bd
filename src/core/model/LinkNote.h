#pragma once

#include "base/String.h"

namespace linkloom {

// Why a link of a page's head leads nowhere a sitemap can name.
enum class LinkProblem {
    None,
    Empty,             // no href, or one of blanks alone
    Blank,             // a blank or control character inside the href
    Fragment,          // the href holds a '#'
    Malformed,         // a scheme, port or address in brackets that no URL holds
    NotHttp,           // not an http or https URL with a host
    ClimbsAboveTop,    // a ".." above the top of the path
    TooLong,           // longer than the 2,048 characters a sitemap allows
    BadLanguage,       // an hreflang that is no language tag
    RepeatedLanguage,  // an hreflang that an earlier alternate of the page names
    InCycle,           // a canonical link whose chain comes back to its page
    LongChain,         // a canonical link whose chain goes on past the most followed
};

enum class LinkRole { Canonical, Alternate };

// A link of a page that a step ignored, and why.
struct LinkNote {
    LinkRole role = LinkRole::Canonical;
    String language;  // an alternate's hreflang
    String href;      // as the page gives it, references decoded
    LinkProblem problem = LinkProblem::None;
};

}  // namespace linkloom
