#include "core/rules/ImagesStep.h"

#include <unordered_set>

#include "base/AsciiCharacters.h"
#include "core/model/SitemapLimits.h"
#include "core/url/PageLink.h"

namespace linkloom {

std::optional<StepVerdict> ImagesStep::Apply(PageContext& page, SitemapEntry& entry) {
    std::unordered_set<std::u16string> met;
    const auto add = [&](std::u16string_view source) {
        if (entry.images.size() >= kMostImages) return;
        source = TrimHtmlBlanks(source);
        // The fragment names a place in the image, which is the same image.
        UrlParts target;
        if (ResolveLink(source.substr(0, source.find(u'#')), page.Base(), target) != LinkProblem::None) return;
        std::u16string url = target.Text();
        if (url.size() <= kMostLocationLength && met.insert(url).second) entry.images.emplace_back(std::move(url));
    };
    for (const HeadTag& tag : page.Facts().headTags) {
        if (tag.name != u"meta") continue;
        const auto property = tag.Attribute(u"property");
        const auto content = tag.Attribute(u"content");
        if (property && content && AsciiEqualsNoCase(TrimHtmlBlanks(*property), u"og:image")) {
            add(*content);
        }
    }
    for (const String& source : page.Facts().imageSources) add(source.Text());
    return std::nullopt;
}

}  // namespace linkloom
