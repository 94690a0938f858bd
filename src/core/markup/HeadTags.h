#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "base/String.h"

namespace linkloom {

struct HeadAttribute {
    String name;   // in lower case
    String value;  // character references decoded
};

// A <link>, <meta>, <base> or <script> element of a page's head, as a browser would read its
// start tag.
struct HeadTag {
    String name;  // "link", "meta", "base" or "script"
    std::vector<HeadAttribute> attributes;
    String text;  // a script's content, as it stands

    // The value of the first attribute of that name (in lower case), or null.
    const String* Attribute(std::u16string_view attribute) const;
    // True when the attribute holds `token` among its blank-separated tokens, in any letter case.
    bool HasToken(std::u16string_view attribute, std::u16string_view token) const;
};

// The head of a page's text ends where "</head" or "<body" starts (in any letter case).
// Returns where, or npos when the text holds neither.
std::size_t HeadEnd(std::u16string_view text);

// The link, meta, base and script elements of the head, in the order they stand, up to the head's end
// (or the end of the text). Comments, other tags and the content of script, style, title and
// textarea elements are passed over; a cut tag, a quote that is never closed or a missing '>'
// ends the scan without harm. Takes time in proportion to the text.
std::vector<HeadTag> ScanHeadTags(std::u16string_view text);

// Decodes the character references of an attribute value: the named ones XML and HTML share
// (&amp; &lt; &gt; &quot; &apos;, and &nbsp;) and numeric ones (&#38; &#x26;). Anything else
// stays as it is.
String DecodeCharacterReferences(std::u16string_view value);

}  // namespace linkloom
