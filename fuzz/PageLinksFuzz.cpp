// Feeds a page head to the link steps' readers: whatever comes in, each link that resolves gives
// an http or https URL with a host, of URI characters only and no fragment, that its normal form
// leaves as it is; a reference found in normal form the quick way is one, and resolves the quick
// way as the full way does; the same bytes read as a robots.txt decide every such URL without harm.
// Input: UTF-16LE code units of the head.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/markup/HeadTags.h"
#include "core/rules/AlternatesStep.h"
#include "core/rules/RobotsMetaStep.h"
#include "core/rules/RobotsTxt.h"
#include "core/url/PageLink.h"

namespace {

void Check(bool holds) {
    if (!holds) std::abort();
}

bool IsUriCharacter(char16_t unit) {
    static const std::u16string_view kAllowed =
        u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~:/?@!$&'()*+,;=%[]";
    return kAllowed.find(unit) != std::u16string_view::npos;
}

// A reference that the quick resolution takes resolves as its normal form does.
void CheckNormalResolution(std::u16string_view reference, const linkloom::UrlParts& base) {
    if (linkloom::IsNormalUrl(linkloom::SplitUrlViews(reference))) {
        linkloom::UrlParts parts = linkloom::SplitUrl(reference);
        Check(linkloom::NormalizeUrl(parts) && parts.Text() == reference);
    }
    linkloom::UrlParts fast;
    bool fastClimbed = false, climbed = false;
    if (!linkloom::ResolveNormalUrl(base, linkloom::SplitUrlViews(reference), fast, fastClimbed)) return;
    linkloom::UrlParts normal = linkloom::SplitUrl(reference);
    Check(linkloom::NormalizeUrl(normal));
    Check(fast.Text() == linkloom::ResolveUrl(base, std::move(normal), climbed).Text() && fastClimbed == climbed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string head;
    for (std::size_t at = 0; at + 1 < size; at += 2) head += static_cast<char16_t>(data[at] | (data[at + 1] << 8));
    linkloom::RobotsTxt robots;
    robots.Parse(std::string_view(reinterpret_cast<const char*>(data), size));

    linkloom::UrlParts base = linkloom::SplitUrl(u"https://example.com/a/b.htm");
    linkloom::NormalizeUrl(base);
    const linkloom::SiteRoot root(u"https://example.com/a/");
    for (const linkloom::HeadTag& tag : linkloom::ScanHeadTags(head)) {
        for (const linkloom::HeadAttribute& attribute : tag.attributes) {
            linkloom::IsLanguageTag(attribute.value);
            linkloom::SaysNoindex(attribute.value);
            linkloom::UrlParts target;
            CheckNormalResolution(attribute.value, base);
            if (linkloom::ResolveLink(attribute.value, base, target) != linkloom::LinkProblem::None) continue;
            const std::u16string text = target.Text();
            Check(!target.hasFragment && target.hasAuthority &&
                  (target.scheme == u"http" || target.scheme == u"https"));
            for (const char16_t unit : text) Check(IsUriCharacter(unit));
            linkloom::UrlParts again = linkloom::SplitUrl(text);
            Check(linkloom::NormalizeUrl(again) && again.Text() == text);
            if (const auto location = root.Locate(target)) {
                Check(location->Text().compare(0, root.Url().Length(), root.Url().Text()) == 0);
                robots.Allows(target.hasQuery ? target.path + u'?' + target.query : target.path);
            }
        }
    }
    return 0;
}
