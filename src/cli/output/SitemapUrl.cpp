#include "cli/output/SitemapUrl.h"

#include "core/url/UrlReference.h"
#include "core/url/UrlText.h"
#include "platform/PathInside.h"

namespace linkloom::cli {

SitemapUrl::SitemapUrl(const OutputNames& names, const String& folder, const String& rootUrl,
                       const std::optional<String>& given) {
    if (given) {
        file_ = *given;
    } else if (const auto inside = platform::PathInside(folder, names.File())) {
        std::u16string url = rootUrl.Text();
        std::size_t start = 0;
        for (std::size_t slash; (slash = inside->Text().find(u'/', start)) != std::u16string::npos; start = slash + 1) {
            AppendUrlSegment(url, String(inside->Text().substr(start, slash - start)));
            url += u'/';
        }
        AppendUrlSegment(url, String(inside->Text().substr(start)));
        file_ = String(std::move(url));
    } else {
        file_ = rootUrl + EncodeUrlSegment(names.File().Mid(names.Folder().Length()));
        assumed_ = true;
    }
    folder_ = file_.Left(file_.Text().rfind(u'/') + 1);
}

std::optional<String> SitemapUrl::Accept(const String& text) {
    UrlParts url = SplitUrl(text.Text());
    if (!url.hasScheme || !url.hasAuthority || url.authority.empty() || url.hasFragment || !NormalizeUrl(url) ||
        (url.scheme != u"http" && url.scheme != u"https") || url.path.empty() || url.path.back() == u'/') {
        return std::nullopt;
    }
    return String(url.Text());
}

}  // namespace linkloom::cli
