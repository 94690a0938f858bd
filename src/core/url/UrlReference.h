#pragma once

#include <string>
#include <string_view>

namespace linkloom {

// A URI reference split into its five components (RFC 3986, appendix B). The flags tell an empty
// component from a missing one.
struct UrlParts {
    std::u16string scheme;     // without its ':'
    std::u16string authority;  // without the "//"
    std::u16string path;
    std::u16string query;     // without the '?'
    std::u16string fragment;  // without the '#'
    bool hasScheme = false;
    bool hasAuthority = false;
    bool hasQuery = false;
    bool hasFragment = false;

    // The components joined again (section 5.3).
    std::u16string Text() const;
};

// The same five components as views into the text of the reference.
struct UrlViews {
    std::u16string_view scheme, authority, path, query, fragment;
    bool hasScheme = false;
    bool hasAuthority = false;
    bool hasQuery = false;
    bool hasFragment = false;
};

UrlViews SplitUrlViews(std::u16string_view reference);
UrlParts SplitUrl(std::u16string_view reference);

// Removes the "." and ".." segments of the path (section 5.2.4). `climbed` is set when a ".."
// found no segment left to remove: the reference pointed above the top of the path.
void RemoveDotSegments(std::u16string& path, bool& climbed);

// The target of `reference` against the absolute URL `base` (section 5.2.2, strict).
UrlParts ResolveUrl(const UrlParts& base, UrlParts reference, bool& climbed);

// The parts of a URL whose characters are normalised alike.
enum class UrlComponent { Userinfo, Host, Path, Query };

// Appends `text` in the normal form of `component`: what the component holds as it is stays,
// escapes of unreserved characters are decoded and the others written in upper case, and any
// other character, or a '%' that starts no escape, is percent-encoded as UTF-8 (section 6.2.2).
void AppendNormalized(std::u16string& out, std::u16string_view text, UrlComponent component);

// Puts a URL or a reference into normal form: the characters of each component as
// AppendNormalized writes them, the scheme and host in lower case, an empty port or the default
// one of http and https dropped, and an empty http path made "/". False when it cannot be a URI
// reference at all: a scheme of characters no scheme holds, a port that is no number, or an
// address in brackets that is not closed.
bool NormalizeUrl(UrlParts& url);

// True when NormalizeUrl would leave `url` as it is, found the quick way: every component holds only
// characters it keeps as they are. False as well for an escape or a port, which take the long way.
bool IsNormalUrl(const UrlViews& url);

// ResolveUrl for a reference whose components are already in normal form, as most links are,
// writing into `target` without copying the reference first. False, with `target` untouched, for
// a reference that needs NormalizeUrl first or takes the scheme of the base (a network path).
bool ResolveNormalUrl(const UrlParts& base, const UrlViews& reference, UrlParts& target, bool& climbed);

}  // namespace linkloom
