#include "core/rules/ImagesStep.h"

#include <algorithm>

#include "base/AsciiCharacters.h"
#include "core/model/SitemapLimits.h"
#include "core/rules/LocationHash.h"
#include "core/url/PageLink.h"

namespace linkloom {

std::optional<StepVerdict> ImagesStep::Apply(PageContext& page, SitemapEntry& entry) {
    // The hashes of the URLs this step adds, beside them in entry.images; a hash met again is
    // compared in full.
    hashes_.clear();
    const std::size_t first = entry.images.size();
    const auto add = [&](std::u16string_view source) {
        if (entry.images.size() >= kMostImages) return;
        source = TrimHtmlBlanks(source);
        // The fragment names a place in the image, which is the same image.
        UrlParts target;
        if (ResolveLink(source.substr(0, source.find(u'#')), page.Base(), target) != LinkProblem::None) return;
        std::u16string url = target.Text();
        if (url.size() > kMostLocationLength) return;
        const std::uint64_t hash = HashLocation(url);
        for (auto at = std::find(hashes_.begin(), hashes_.end(), hash); at != hashes_.end();
             at = std::find(at + 1, hashes_.end(), hash)) {
            if (entry.images[first + (at - hashes_.begin())].Text() == url) return;
        }
        hashes_.push_back(hash);
        entry.images.emplace_back(std::move(url));
    };
    for (const HeadTag& tag : page.Facts().headTags) {
        if (!tag.Is(HeadElement::Meta)) continue;
        const auto property = tag.Value(HeadKey::Property);
        const auto content = tag.Value(HeadKey::Content);
        if (property && content && AsciiEqualsNoCase(TrimHtmlBlanks(*property), u"og:image")) {
            add(*content);
        }
    }
    for (const String& source : page.Facts().imageSources) add(source.Text());
    return std::nullopt;
}

}  // namespace linkloom
