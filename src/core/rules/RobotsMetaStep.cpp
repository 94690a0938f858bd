#include "core/rules/RobotsMetaStep.h"

namespace linkloom {

namespace {

bool IsBlank(char16_t unit) { return unit == u' ' || unit == u'\t' || unit == u'\n' || unit == u'\r' || unit == u'\f'; }

bool EqualsNoCase(std::u16string_view text, std::u16string_view lower) {
    if (text.size() != lower.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i] >= u'A' && text[i] <= u'Z' ? static_cast<char16_t>(text[i] + 32) : text[i];
        if (unit != lower[i]) return false;
    }
    return true;
}

// The crawlers whose meta tags speak for search engines in general.
bool NamesCrawlers(std::u16string_view name) {
    return EqualsNoCase(name, u"robots") || EqualsNoCase(name, u"googlebot") || EqualsNoCase(name, u"bingbot");
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

bool SaysNoindex(std::u16string_view content) {
    for (;;) {
        const std::size_t comma = content.find(u',');
        const std::u16string_view token = Trimmed(content.substr(0, comma));
        if (EqualsNoCase(token, u"noindex") || EqualsNoCase(token, u"none")) return true;
        if (comma == std::u16string_view::npos) return false;
        content.remove_prefix(comma + 1);
    }
}

std::optional<StepVerdict> RobotsMetaStep::Apply(PageContext& page, SitemapEntry&) {
    for (const HeadTag& tag : page.Facts().headTags) {
        if (tag.name.Text() != u"meta") continue;
        const String* name = tag.Attribute(u"name");
        const String* content = tag.Attribute(u"content");
        if (name && content && NamesCrawlers(Trimmed(name->Text())) && SaysNoindex(content->Text())) {
            return StepVerdict{LeftOutReason::RobotsMeta, String()};
        }
    }
    return std::nullopt;
}

}  // namespace linkloom
