#include "core/rules/ImagesStep.h"

#include <algorithm>

#include "base/AsciiCharacters.h"
#include "core/model/SitemapLimits.h"
#include "core/rules/LocationHash.h"
#include "core/url/PageLink.h"

namespace linkloom {

namespace {

// A folder's images that many pages name fit well below this; past it the memory is taken back.
constexpr std::size_t kMostResolved = 4096;

}  // namespace

std::optional<StepVerdict> ImagesStep::Apply(PageContext& page, SitemapEntry& entry) {
    const UrlParts& base = page.Base();
    EnterFolder(base);
    // The hashes of the URLs this step adds, beside them in entry.images; a hash met again is
    // compared in full.
    hashes_.clear();
    const std::size_t first = entry.images.size();
    const auto add = [&](std::u16string_view source) {
        if (entry.images.size() >= kMostImages) return;
        source = TrimHtmlBlanks(source);
        // The fragment names a place in the image, which is the same image.
        std::u16string url;
        if (!Resolve(source.substr(0, source.find(u'#')), base, url) || url.size() > kMostLocationLength) return;
        const std::uint64_t hash = HashLocation(url);
        for (auto at = std::find(hashes_.begin(), hashes_.end(), hash); at != hashes_.end();
             at = std::find(at + 1, hashes_.end(), hash)) {
            if (entry.images[first + (at - hashes_.begin())].Text() == url) return;
        }
        hashes_.push_back(hash);
        // Made here, not in place: GCC 12 warns falsely that a string moved into emplace_back may
        // be uninitialized.
        entry.images.push_back(String(std::move(url)));
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

void ImagesStep::EnterFolder(const UrlParts& base) {
    std::u16string folder = base.scheme;
    folder += u':';
    if (base.hasAuthority) folder.append(u"//").append(base.authority);
    folder.append(base.path, 0, base.path.rfind(u'/') + 1);
    if (folder == folder_) return;
    folder_ = std::move(folder);
    resolved_.clear();
}

bool ImagesStep::Resolve(std::u16string_view source, const UrlParts& base, std::u16string& url) {
    const auto resolve = [&](std::u16string& out) {
        UrlParts target;
        if (ResolveLink(source, base, target) != LinkProblem::None) return false;
        out = target.Text();
        return true;
    };
    // A query alone keeps the base's whole path.
    if (!source.empty() && source[0] == u'?') return resolve(url);
    if (resolved_.size() >= kMostResolved) resolved_.clear();
    const auto [at, added] = resolved_.try_emplace(HashLocation(source));
    Resolved& known = at->second;
    if (added) {
        known.source = source;
        known.resolves = resolve(known.url);
    } else if (known.source != source) {
        return resolve(url);
    }
    url = known.url;
    return known.resolves;
}

}  // namespace linkloom
