#include "cli/output/SitemapXml.h"

#include "core/url/LocationBuilder.h"

namespace linkloom::cli {

const char kSitemapNamespace[] = "http://www.sitemaps.org/schemas/sitemap/0.9";

namespace {

// Twice the longest location, so that one too long is still told as such.
constexpr std::size_t kMostField = 2 * kMostLocationLength;

void Trim(std::string& text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t end = text.size();
    while (end > 0 && blank(text[end - 1])) --end;
    std::size_t start = 0;
    while (start < end && blank(text[start])) ++start;
    text = text.substr(start, end - start);
}

}  // namespace

bool SitemapXml::StartElement(std::string_view space, std::string_view name, std::uint64_t line) {
    if (++depth_ > kMostDepth) {
        tooDeepAt_ = line;
        return false;
    }
    const bool ours = space == kSitemapNamespace;
    if (depth_ == 1) {
        rootInNamespace_ = ours;
        root_ = name == "urlset" ? Root::UrlSet : name == "sitemapindex" ? Root::Index : Root::Other;
    } else if (depth_ == 2 && ours && name == (root_ == Root::UrlSet ? "url" : "sitemap")) {
        inItem_ = true;
        item_ = SitemapItem();
        item_.line = line;
    } else if (depth_ == 3 && inItem_ && ours) {
        if (name == "loc") {
            item_.hasLocation = true;
            field_ = &item_.location;
        } else if (name == "lastmod") {
            item_.hasLastmod = true;
            field_ = &item_.lastmod;
        }
        if (field_) field_->clear();
    }
    return true;
}

bool SitemapXml::EndElement() {
    if (depth_ == 3 && field_) {
        Trim(*field_);
        field_ = nullptr;
    } else if (depth_ == 2 && inItem_) {
        inItem_ = false;
        if (!take_(item_, root_)) return false;
    }
    --depth_;
    return true;
}

bool SitemapXml::Text(std::string_view text) {
    if (!field_ || depth_ != 3) return true;
    const std::size_t room = kMostField - std::min(kMostField, field_->size());
    if (text.size() > room) {
        item_.cut = true;
        text = text.substr(0, room);
    }
    field_->append(text);
    return true;
}

}  // namespace linkloom::cli
