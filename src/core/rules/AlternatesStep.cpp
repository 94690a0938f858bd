#include "core/rules/AlternatesStep.h"

#include <unordered_set>

#include "base/AsciiCharacters.h"
#include "core/url/LocationBuilder.h"
#include "core/url/PageLink.h"

namespace linkloom {

namespace {

// Language tags are ASCII; a set of them in lower case tells which a list names already.
std::u16string LanguageKey(std::u16string_view language) { return AsciiLowered(language); }

std::unordered_set<std::u16string> LanguagesOf(const std::vector<Alternate>& alternates) {
    std::unordered_set<std::u16string> languages;
    for (const Alternate& alternate : alternates) languages.insert(LanguageKey(alternate.language.Text()));
    return languages;
}

}  // namespace

bool IsLanguageTag(std::u16string_view tag) {
    constexpr std::size_t kMostSubtag = 8;
    bool first = true;
    for (;;) {
        const std::size_t hyphen = std::min(tag.find(u'-'), tag.size());
        if (hyphen == 0 || hyphen > kMostSubtag) return false;
        for (std::size_t i = 0; i < hyphen; ++i) {
            if (!IsAsciiLetter(tag[i]) && (first || !IsAsciiDigit(tag[i]))) return false;
        }
        if (hyphen == tag.size()) return true;
        tag.remove_prefix(hyphen + 1);
        first = false;
    }
}

void AddAlternates(std::vector<Alternate>& to, const std::vector<Alternate>& from) {
    std::unordered_set<std::u16string> named = LanguagesOf(to);
    for (const Alternate& alternate : from) {
        if (named.insert(LanguageKey(alternate.language.Text())).second) to.push_back(alternate);
    }
}

std::optional<StepVerdict> AlternatesStep::Apply(PageContext& page, SitemapEntry& entry) {
    std::unordered_set<std::u16string> named = LanguagesOf(entry.alternates);
    for (const HeadTag& tag : page.Facts().headTags) {
        if (!tag.Is(HeadElement::Link) || !(tag.rels & kRelAlternate)) continue;
        const std::optional<std::u16string_view> language = tag.Value(HeadKey::Hreflang);
        if (!language) continue;  // a feed or another form of the page, not a language version
        const std::u16string_view href = tag.Value(HeadKey::Href).value_or(std::u16string_view());
        std::u16string key = LanguageKey(*language);
        LinkProblem problem = LinkProblem::None;
        UrlParts target;
        String url;
        if (!IsLanguageTag(*language)) {
            problem = LinkProblem::BadLanguage;
        } else if (named.count(key) > 0) {
            problem = LinkProblem::RepeatedLanguage;
        } else if ((problem = ResolveLink(href, page.Base(), target)) == LinkProblem::None) {
            url = String(target.Text());
            if (url.Length() > kMostLocationLength) problem = LinkProblem::TooLong;
        }
        if (problem != LinkProblem::None) {
            page.Note({LinkRole::Alternate, String(*language), String(href), problem});
            continue;
        }
        named.insert(std::move(key));
        entry.alternates.push_back({String(*language), std::move(url)});
    }
    return std::nullopt;
}

}  // namespace linkloom
