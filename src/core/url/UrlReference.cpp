#include "core/url/UrlReference.h"

#include "base/AsciiCharacters.h"
#include "base/String.h"
#include "base/Utf8.h"
#include "core/url/UrlText.h"

namespace linkloom {

namespace {

constexpr std::size_t npos = std::u16string_view::npos;

// Which components keep each ASCII character as it is, a bit for each UrlComponent.
struct KeptCharacters {
    unsigned char of[128] = {};
    KeptCharacters() {
        for (char16_t unit = 0; unit < 128; ++unit) {
            if (IsUnreserved(unit) || IsSubDelimiter(unit))
                of[unit] = Bit(UrlComponent::Userinfo) | Bit(UrlComponent::Host) | Bit(UrlComponent::Path) |
                           Bit(UrlComponent::Query);
        }
        of[u':'] |= Bit(UrlComponent::Userinfo) | Bit(UrlComponent::Path) | Bit(UrlComponent::Query);
        for (const char16_t unit : {u'@', u'/'}) of[unit] |= Bit(UrlComponent::Path) | Bit(UrlComponent::Query);
        of[u'?'] |= Bit(UrlComponent::Query);
    }
    static unsigned char Bit(UrlComponent component) { return 1 << static_cast<int>(component); }
};
const KeptCharacters kKept;

bool Keeps(UrlComponent component, char16_t unit) {
    return unit < 128 && (kKept.of[unit] & KeptCharacters::Bit(component)) != 0;
}

// True when `text` holds only characters `component` keeps as they are, and so no escape.
bool IsNormal(std::u16string_view text, UrlComponent component) {
    for (const char16_t unit : text) {
        if (!Keeps(component, unit)) return false;
    }
    return true;
}

bool IsNormalScheme(std::u16string_view scheme) {
    if (scheme.empty() || !IsAsciiLetter(scheme[0])) return false;
    for (const char16_t unit : scheme) {
        const bool allowed = IsAsciiLetter(unit) || IsAsciiDigit(unit) || unit == u'+' || unit == u'-' || unit == u'.';
        if (!allowed || AsciiLower(unit) != unit) return false;
    }
    return true;
}

// The index of the first of `stops` in `text` at or after `from`, or the text's size.
template <char16_t... stops>
std::size_t FindFirst(std::u16string_view text, std::size_t from) {
    while (from < text.size() && ((text[from] != stops) && ...)) ++from;
    return from;
}

// The segment that `path` starts with, after its first character (a '/' or the segment's own).
std::size_t SegmentEnd(std::u16string_view path) {
    const std::size_t end = path.find(u'/', 1);
    return end == npos ? path.size() : end;
}

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Removes the last segment and its '/' from `output`; false when it holds none.
bool RemoveLastSegment(std::u16string& output) {
    if (output.empty()) return false;
    const std::size_t slash = output.rfind(u'/');
    output.erase(slash == std::u16string::npos ? 0 : slash);
    return true;
}

void MergePaths(const UrlParts& base, std::u16string_view path, std::u16string& out) {
    if (base.hasAuthority && base.path.empty()) {
        out.assign(1, u'/');
    } else {
        const std::size_t slash = base.path.rfind(u'/');
        out.assign(base.path, 0, slash == std::u16string::npos ? 0 : slash + 1);
    }
    out.append(path);
}

bool IsHttp(std::u16string_view scheme) { return scheme == u"http" || scheme == u"https"; }

// True when the authority is a host alone, already in normal form, as most are.
bool IsNormalHost(std::u16string_view authority) {
    for (const char16_t unit : authority) {
        if (AsciiLower(unit) != unit || !Keeps(UrlComponent::Host, unit)) return false;
    }
    return true;
}

// True when each component holds only what it keeps as it is; an empty http path is left to the caller.
bool HasNormalParts(const UrlViews& url) {
    return (!url.hasScheme || IsNormalScheme(url.scheme)) && (!url.hasAuthority || IsNormalHost(url.authority)) &&
           IsNormal(url.path, UrlComponent::Path) && IsNormal(url.query, UrlComponent::Query) &&
           IsNormal(url.fragment, UrlComponent::Query);
}

// The authority in normal form; false when its address or port is no valid one.
bool NormalizeAuthority(std::u16string& authority, const std::u16string& scheme) {
    if (IsNormalHost(authority)) return true;
    const std::size_t at = authority.rfind(u'@');
    const std::size_t hostStart = at == std::u16string::npos ? 0 : at + 1;
    std::u16string out;
    if (hostStart > 0) {
        AppendNormalized(out, std::u16string_view(authority).substr(0, at), UrlComponent::Userinfo);
        out += u'@';
    }
    std::size_t hostEnd;
    if (hostStart < authority.size() && authority[hostStart] == u'[') {
        hostEnd = authority.find(u']', hostStart);
        if (hostEnd == std::u16string::npos || hostEnd == hostStart + 1) return false;
        out += u'[';
        for (std::size_t i = hostStart + 1; i < hostEnd; ++i) {
            const char16_t unit = authority[i];
            if (!IsUnreserved(unit) && !IsSubDelimiter(unit) && unit != u':') return false;
            out += AsciiLower(unit);
        }
        out += u']';
        ++hostEnd;
    } else {
        hostEnd = authority.find(u':', hostStart);
        if (hostEnd == std::u16string::npos) hostEnd = authority.size();
        const std::size_t from = out.size();
        AppendNormalized(out, std::u16string_view(authority).substr(hostStart, hostEnd - hostStart),
                         UrlComponent::Host);
        // Letters in lower case, escapes in upper case.
        for (std::size_t i = from; i < out.size(); ++i) {
            if (out[i] == u'%') {
                i += 2;
            } else {
                out[i] = AsciiLower(out[i]);
            }
        }
    }
    if (hostEnd < authority.size()) {
        if (authority[hostEnd] != u':') return false;
        const std::u16string port = authority.substr(hostEnd + 1);
        for (const char16_t unit : port) {
            if (!IsAsciiDigit(unit)) return false;
        }
        const bool isDefault = (scheme == u"http" && port == u"80") || (scheme == u"https" && port == u"443");
        if (!port.empty() && !isDefault) out += u':' + port;
    }
    authority = std::move(out);
    return true;
}

// Puts a component into its normal form in place; one already in it, as most are, stays.
void Normalize(std::u16string& text, UrlComponent component) {
    if (IsNormal(text, component)) return;
    std::u16string out;
    out.reserve(text.size());
    AppendNormalized(out, text, component);
    text = std::move(out);
}

// Section 5.2.2 for a reference held as strings or as views; each target string is assigned, so
// it keeps the capacity it has.
template <class Reference>
void Resolve(const UrlParts& base, const Reference& reference, UrlParts& target, bool& climbed) {
    if (reference.hasScheme) {
        target.scheme.assign(reference.scheme);
        target.hasScheme = true;
        target.authority.assign(reference.authority);
        target.hasAuthority = reference.hasAuthority;
        target.path.assign(reference.path);
        RemoveDotSegments(target.path, climbed);
        target.query.assign(reference.query);
        target.hasQuery = reference.hasQuery;
    } else {
        if (reference.hasAuthority) {
            target.authority.assign(reference.authority);
            target.hasAuthority = true;
            target.path.assign(reference.path);
            RemoveDotSegments(target.path, climbed);
            target.query.assign(reference.query);
            target.hasQuery = reference.hasQuery;
        } else {
            if (reference.path.empty()) {
                target.path = base.path;
                if (reference.hasQuery) {
                    target.query.assign(reference.query);
                } else {
                    target.query = base.query;
                }
                target.hasQuery = reference.hasQuery || base.hasQuery;
            } else {
                if (reference.path[0] == u'/') {
                    target.path.assign(reference.path);
                } else {
                    MergePaths(base, reference.path, target.path);
                }
                RemoveDotSegments(target.path, climbed);
                target.query.assign(reference.query);
                target.hasQuery = reference.hasQuery;
            }
            target.authority = base.authority;
            target.hasAuthority = base.hasAuthority;
        }
        target.scheme = base.scheme;
        target.hasScheme = base.hasScheme;
    }
    target.fragment.assign(reference.fragment);
    target.hasFragment = reference.hasFragment;
}

}  // namespace

std::u16string UrlParts::Text() const {
    // Each piece is appended where it goes, in a string made once.
    std::u16string text;
    text.reserve(scheme.size() + authority.size() + path.size() + query.size() + fragment.size() + 5);
    if (hasScheme) text.append(scheme).push_back(u':');
    if (hasAuthority) text.append(u"//").append(authority);
    text += path;
    if (hasQuery) text.append(1, u'?').append(query);
    if (hasFragment) text.append(1, u'#').append(fragment);
    return text;
}

UrlViews SplitUrlViews(std::u16string_view text) {
    UrlViews parts;
    std::size_t at = 0;
    const std::size_t colon = FindFirst<u':', u'/', u'?', u'#'>(text, 0);
    if (colon < text.size() && colon > 0 && text[colon] == u':') {
        parts.scheme = text.substr(0, colon);
        parts.hasScheme = true;
        at = colon + 1;
    }
    if (at + 1 < text.size() && text[at] == u'/' && text[at + 1] == u'/') {
        const std::size_t end = FindFirst<u'/', u'?', u'#'>(text, at + 2);
        parts.authority = text.substr(at + 2, end - at - 2);
        parts.hasAuthority = true;
        at = end;
    }
    const std::size_t pathEnd = FindFirst<u'?', u'#'>(text, at);
    parts.path = text.substr(at, pathEnd - at);
    at = pathEnd;
    if (at < text.size() && text[at] == u'?') {
        const std::size_t end = FindFirst<u'#'>(text, at);
        parts.query = text.substr(at + 1, end - at - 1);
        parts.hasQuery = true;
        at = end;
    }
    if (at < text.size()) {
        parts.fragment = text.substr(at + 1);
        parts.hasFragment = true;
    }
    return parts;
}

UrlParts SplitUrl(std::u16string_view text) {
    const UrlViews views = SplitUrlViews(text);
    UrlParts parts;
    parts.scheme = views.scheme;
    parts.authority = views.authority;
    parts.path = views.path;
    parts.query = views.query;
    parts.fragment = views.fragment;
    parts.hasScheme = views.hasScheme;
    parts.hasAuthority = views.hasAuthority;
    parts.hasQuery = views.hasQuery;
    parts.hasFragment = views.hasFragment;
    return parts;
}

void RemoveDotSegments(std::u16string& path, bool& climbed) {
    // Most paths hold no segment that starts with a '.' and stay as they are.
    bool dotted = false;
    for (std::size_t at = 0; at < path.size() && !dotted; ++at) {
        dotted = path[at] == u'.' && (at == 0 || path[at - 1] == u'/');
    }
    if (!dotted) return;
    std::u16string_view input = path;
    std::u16string output;
    output.reserve(input.size());
    while (!input.empty()) {
        if (StartsWith(input, u"../")) {
            climbed = true;
            input.remove_prefix(3);
        } else if (StartsWith(input, u"./")) {
            input.remove_prefix(2);
        } else if (StartsWith(input, u"/./") || input == u"/.") {
            input.remove_prefix(2);
            if (input.empty()) output += u'/';
        } else if (StartsWith(input, u"/../") || input == u"/..") {
            input.remove_prefix(3);
            if (!RemoveLastSegment(output)) climbed = true;
            if (input.empty()) output += u'/';
        } else if (input == u"." || input == u"..") {
            climbed |= input == u"..";
            input = {};
        } else {
            const std::size_t end = input[0] == u'/' ? SegmentEnd(input) : std::min(input.find(u'/'), input.size());
            output += input.substr(0, end);
            input.remove_prefix(end);
        }
    }
    path = std::move(output);
}

UrlParts ResolveUrl(const UrlParts& base, UrlParts reference, bool& climbed) {
    UrlParts target;
    Resolve(base, reference, target, climbed);
    return target;
}

bool IsNormalUrl(const UrlViews& url) {
    return HasNormalParts(url) && !(url.path.empty() && url.hasAuthority && IsHttp(url.scheme));
}

bool ResolveNormalUrl(const UrlParts& base, const UrlViews& reference, UrlParts& target, bool& climbed) {
    if ((!reference.hasScheme && reference.hasAuthority) || !HasNormalParts(reference)) return false;
    Resolve(base, reference, target, climbed);
    // What NormalizeUrl does for an empty http path; "/" has no dot segment to remove.
    if (reference.hasScheme && target.path.empty() && target.hasAuthority && IsHttp(target.scheme)) target.path = u"/";
    return true;
}

void AppendNormalized(std::u16string& out, std::u16string_view text, UrlComponent component) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at];
        if (IsPercentEscapeAt(text, at)) {
            const int value = HexDigitValue(text[at + 1]) * 16 + HexDigitValue(text[at + 2]);
            if (IsUnreserved(static_cast<char16_t>(value))) {
                out += static_cast<char16_t>(value);
            } else {
                out += u'%';
                out += kHex[value >> 4];
                out += kHex[value & 15];
            }
            at += 2;
        } else if (unit != u'%' && Keeps(component, unit)) {
            out += unit;
        } else {
            const std::size_t length = IsSurrogatePairAt(text, at) ? 2 : 1;
            AppendPercentEncoded(out, String(text.substr(at, length)).ToNativeBytes());
            at += length - 1;
        }
    }
}

bool NormalizeUrl(UrlParts& url) {
    if (url.hasScheme) {
        if (url.scheme.empty() || !IsAsciiLetter(url.scheme[0])) return false;
        for (char16_t& unit : url.scheme) {
            if (!IsAsciiLetter(unit) && !IsAsciiDigit(unit) && unit != u'+' && unit != u'-' && unit != u'.')
                return false;
            unit = AsciiLower(unit);
        }
    }
    if (url.hasAuthority && !NormalizeAuthority(url.authority, url.scheme)) return false;
    Normalize(url.path, UrlComponent::Path);
    if (url.path.empty() && url.hasAuthority && IsHttp(url.scheme)) url.path = u"/";
    if (url.hasQuery) Normalize(url.query, UrlComponent::Query);
    if (url.hasFragment) Normalize(url.fragment, UrlComponent::Query);
    return true;
}

}  // namespace linkloom
