#include "core/rules/RobotsMetaStep.h"

#include "base/AsciiCharacters.h"

namespace linkloom {

namespace {

// The crawlers whose meta tags speak for search engines in general.
bool NamesCrawlers(std::u16string_view name) {
    return AsciiEqualsNoCase(name, u"robots") || AsciiEqualsNoCase(name, u"googlebot") ||
           AsciiEqualsNoCase(name, u"bingbot");
}

}  // namespace

bool SaysNoindex(std::u16string_view content) {
    for (;;) {
        const std::size_t comma = content.find(u',');
        const std::u16string_view token = TrimHtmlBlanks(content.substr(0, comma));
        if (AsciiEqualsNoCase(token, u"noindex") || AsciiEqualsNoCase(token, u"none")) return true;
        if (comma == std::u16string_view::npos) return false;
        content.remove_prefix(comma + 1);
    }
}

std::optional<StepVerdict> RobotsMetaStep::Apply(PageContext& page, SitemapEntry&) {
    for (const HeadTag& tag : page.Facts().headTags) {
        if (!tag.Is(HeadElement::Meta)) continue;
        const auto name = tag.Value(HeadKey::Name);
        const auto content = tag.Value(HeadKey::Content);
        if (name && content && NamesCrawlers(TrimHtmlBlanks(*name)) && SaysNoindex(*content)) {
            return StepVerdict{LeftOutReason::RobotsMeta, String()};
        }
    }
    return std::nullopt;
}

}  // namespace linkloom
