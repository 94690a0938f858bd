#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/String.h"
#include "core/sitemap/SitemapEntry.h"

namespace linkloom::cli {

enum class SitemapFormat {
    Xml,   // the protocol's XML, split under an index
    Text,  // one URL a line, split into parts with no index
};

// How the files of a written sitemap are spelt, in UTF-8: their frame and each entry.
class SitemapForm {
public:
    // With `alternates` or `images`, an XML header declares their namespace; with `stylesheet`, every XML file
    // names it in an xml-stylesheet instruction after the declaration.
    SitemapForm(SitemapFormat format, bool alternates, const std::optional<String>& stylesheet = std::nullopt,
                bool images = false);

    bool IsText() const { return format_ == SitemapFormat::Text; }
    // The extension of the file's name: ".xml" or ".txt".
    const char16_t* Extension() const { return IsText() ? u".txt" : u".xml"; }
    const std::string& Header() const { return header_; }
    const std::string& IndexHeader() const { return indexHeader_; }
    void AppendEntry(std::string& out, const SitemapEntry& entry) const;
    std::string Footer(int count) const;
    // The bytes Footer(count) takes, without making it.
    std::uint64_t FooterBytes(int count) const;

private:
    SitemapFormat format_;
    std::string header_;
    std::string indexHeader_;
    std::uint64_t footerWithOneDigit_ = 0;
};

}  // namespace linkloom::cli
