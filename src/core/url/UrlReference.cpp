#include "core/url/UrlReference.h"

#include "base/AsciiCharacters.h"
#include "base/String.h"
#include "base/Utf8.h"
#include "core/url/UrlText.h"

namespace linkloom {

namespace {

constexpr std::size_t npos = std::u16string_view::npos;

bool Keeps(UrlComponent component, char16_t unit) {
    if (IsUnreserved(unit) || IsSubDelimiter(unit)) return true;
    switch (component) {
    case UrlComponent::Userinfo: return unit == u':';
    case UrlComponent::Host: return false;
    case UrlComponent::Path: return unit == u':' || unit == u'@' || unit == u'/';
    case UrlComponent::Query: return unit == u':' || unit == u'@' || unit == u'/' || unit == u'?';
    }
    return false;
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

std::u16string MergePaths(const UrlParts& base, const std::u16string& path) {
    if (base.hasAuthority && base.path.empty()) return u"/" + path;
    const std::size_t slash = base.path.rfind(u'/');
    return slash == std::u16string::npos ? path : base.path.substr(0, slash + 1) + path;
}

bool IsHttp(const std::u16string& scheme) { return scheme == u"http" || scheme == u"https"; }

// True when the authority is a host alone, already in normal form, as most are.
bool IsNormalHost(std::u16string_view authority) {
    for (const char16_t unit : authority) {
        if (AsciiLower(unit) != unit || !Keeps(UrlComponent::Host, unit)) return false;
    }
    return true;
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

// Puts a component into its normal form in place; one that holds no escape and only characters
// it keeps, as most do, is left as it is.
void Normalize(std::u16string& text, UrlComponent component) {
    bool normal = true;
    for (const char16_t unit : text) {
        if (unit == u'%' || !Keeps(component, unit)) {
            normal = false;
            break;
        }
    }
    if (normal) return;
    std::u16string out;
    out.reserve(text.size());
    AppendNormalized(out, text, component);
    text = std::move(out);
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

UrlParts SplitUrl(std::u16string_view text) {
    UrlParts parts;
    std::size_t at = 0;
    const std::size_t colon = text.find_first_of(u":/?#");
    if (colon != npos && colon > 0 && text[colon] == u':') {
        parts.scheme = text.substr(0, colon);
        parts.hasScheme = true;
        at = colon + 1;
    }
    if (text.substr(at, 2) == u"//") {
        const std::size_t end = std::min(text.find_first_of(u"/?#", at + 2), text.size());
        parts.authority = text.substr(at + 2, end - at - 2);
        parts.hasAuthority = true;
        at = end;
    }
    const std::size_t pathEnd = std::min(text.find_first_of(u"?#", at), text.size());
    parts.path = text.substr(at, pathEnd - at);
    at = pathEnd;
    if (at < text.size() && text[at] == u'?') {
        const std::size_t end = std::min(text.find(u'#', at), text.size());
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

void RemoveDotSegments(std::u16string& path, bool& climbed) {
    // Most paths hold no "." or ".." segment and stay as they are.
    if ((path.empty() || path[0] != u'.') && path.find(u"/.") == std::u16string::npos) return;
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
    if (reference.hasScheme) {
        RemoveDotSegments(reference.path, climbed);
        return reference;
    }
    UrlParts target;
    if (reference.hasAuthority) {
        target.authority = std::move(reference.authority);
        target.hasAuthority = true;
        target.path = std::move(reference.path);
        RemoveDotSegments(target.path, climbed);
        target.query = std::move(reference.query);
        target.hasQuery = reference.hasQuery;
    } else {
        if (reference.path.empty()) {
            target.path = base.path;
            target.query = reference.hasQuery ? std::move(reference.query) : base.query;
            target.hasQuery = reference.hasQuery || base.hasQuery;
        } else {
            target.path = reference.path[0] == u'/' ? std::move(reference.path) : MergePaths(base, reference.path);
            RemoveDotSegments(target.path, climbed);
            target.query = std::move(reference.query);
            target.hasQuery = reference.hasQuery;
        }
        target.authority = base.authority;
        target.hasAuthority = base.hasAuthority;
    }
    target.scheme = base.scheme;
    target.hasScheme = base.hasScheme;
    target.fragment = std::move(reference.fragment);
    target.hasFragment = reference.hasFragment;
    return target;
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
