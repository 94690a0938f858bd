#include "core/url/PageLink.h"

#include "base/AsciiCharacters.h"
#include "base/ControlCharacters.h"

namespace linkloom {

LinkProblem ResolveLink(std::u16string_view href, const UrlParts& base, UrlParts& target) {
    href = TrimHtmlBlanks(href);  // as a browser reads an attribute's URL
    if (href.empty()) return LinkProblem::Empty;
    for (const char16_t unit : href) {
        const bool printableAscii = unit > u' ' && unit < 0x7F;  // as nearly all are, without a call
        if (!printableAscii && (unit == u' ' || IsControlCharacter(unit))) return LinkProblem::Blank;
    }
    const UrlViews views = SplitUrlViews(href);
    if (views.hasFragment) return LinkProblem::Fragment;
    bool climbed = false;
    if (!ResolveNormalUrl(base, views, target, climbed)) {
        UrlParts reference = SplitUrl(href);
        // Escapes are put right before the dots are removed, so that "%2E%2E" counts as "..".
        if (!NormalizeUrl(reference)) return LinkProblem::Malformed;
        const bool networkPath = !reference.hasScheme && reference.hasAuthority;
        target = ResolveUrl(base, std::move(reference), climbed);
        // The parts of a normal reference and a normal base are normal, but for what depends on the
        // scheme that a network-path reference takes from the base: the default port and empty path.
        if (networkPath && !climbed && !NormalizeUrl(target)) return LinkProblem::Malformed;
    }
    if (climbed) return LinkProblem::ClimbsAboveTop;
    const std::u16string_view host = std::u16string_view(target.authority).substr(target.authority.rfind(u'@') + 1);
    if ((target.scheme != u"http" && target.scheme != u"https") || !target.hasAuthority || host.empty() ||
        host[0] == u':') {
        return LinkProblem::NotHttp;
    }
    return LinkProblem::None;
}

SiteRoot::SiteRoot(String url) : url_(std::move(url)), normal_(SplitUrl(url_.Text())) { NormalizeUrl(normal_); }

std::optional<String> SiteRoot::Locate(const UrlParts& url) const {
    if (url.scheme != normal_.scheme || url.authority != normal_.authority ||
        url.path.compare(0, normal_.path.size(), normal_.path) != 0) {
        return std::nullopt;
    }
    std::u16string location;
    location.reserve(url_.Length() + url.path.size() + url.query.size() + 1);
    location.append(url_.Text()).append(url.path, normal_.path.size(), std::u16string::npos);
    if (url.hasQuery) location.append(1, u'?').append(url.query);
    return String(std::move(location));
}

}  // namespace linkloom
