#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/XmlReader.h"

namespace linkloom::cli {

// The namespace of every sitemap and sitemap index.
extern const char kSitemapNamespace[];

// One <url> of a sitemap or <sitemap> of an index: its <loc> and <lastmod> texts, blanks around
// them removed.
struct SitemapItem {
    std::uint64_t line = 0;
    bool hasLocation = false;
    bool hasLastmod = false;
    std::string location;
    std::string lastmod;
    // A text longer than any a sitemap may hold is kept only in part.
    bool cut = false;
};

// Reads the elements of a sitemap or sitemap index as they come, handing each item on; other
// elements (extensions in their own namespaces) are passed over. Elements nested deeper than any
// sitemap needs stop the reading, so that a document of nothing but nesting is not read on.
class SitemapXml : public platform::XmlHandler {
public:
    enum class Root { None, UrlSet, Index, Other };
    // Given each item with the root element it stands in; false stops the reading.
    using ItemTaker = std::function<bool(const SitemapItem&, Root)>;
    // The deepest nesting read: a sitemap's extensions go a few levels below <url>.
    static constexpr int kMostDepth = 16;

    explicit SitemapXml(ItemTaker take) : take_(std::move(take)) {}

    Root RootElement() const { return root_; }
    // The root's namespace was the sitemap one.
    bool RootInNamespace() const { return rootInNamespace_; }
    // The line of the element that went deeper than kMostDepth; 0 when none did.
    std::uint64_t TooDeepAt() const { return tooDeepAt_; }

    bool StartElement(std::string_view space, std::string_view name, std::uint64_t line) override;
    bool EndElement() override;
    bool Text(std::string_view text) override;

private:
    ItemTaker take_;
    Root root_ = Root::None;
    bool rootInNamespace_ = false;
    int depth_ = 0;
    bool inItem_ = false;
    std::uint64_t tooDeepAt_ = 0;
    std::string* field_ = nullptr;
    SitemapItem item_;
};

}  // namespace linkloom::cli
