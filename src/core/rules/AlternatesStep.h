#pragma once

#include <string_view>

#include "core/rules/PageStep.h"

namespace linkloom {

// Copies a page's language alternates, <link rel="alternate" hreflang="L" href="U"> in its head,
// into its entry in the order they stand, U resolved as links are. An alternate whose language is
// no tag, whose language an earlier one names, or whose URL leads nowhere a sitemap can name is
// noted and dropped.
class AlternatesStep : public PageStep {
public:
    std::optional<StepVerdict> Apply(PageContext& page, SitemapEntry& entry) override;
};

// True for a language tag as hreflang takes it: subtags of one to eight letters and digits joined
// by hyphens, the first of letters alone ("de", "en-GB", "zh-Hant-TW", "x-default").
bool IsLanguageTag(std::u16string_view tag);

// Adds the alternates of `from` whose language `to` names in no letter case.
void AddAlternates(std::vector<Alternate>& to, const std::vector<Alternate>& from);

}  // namespace linkloom
