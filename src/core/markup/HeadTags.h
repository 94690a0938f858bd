#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "base/String.h"

namespace linkloom {

// Views into the text that the HeadTags they came from holds.
struct HeadAttribute {
    std::u16string_view name;   // in lower case
    std::u16string_view value;  // character references decoded
};

// The elements a head scan keeps.
enum class HeadElement : unsigned char { Link, Meta, Base, Script };

// The attributes the page rules read, looked up once as a tag is scanned rather than by each rule.
enum class HeadKey : unsigned char { Rel, Href, Hreflang, Name, Content, HttpEquiv, Property };
constexpr std::size_t kHeadKeys = 7;

// The link types of a rel attribute the page rules act on, as bits.
enum HeadRel : unsigned char { kRelCanonical = 1, kRelAlternate = 2 };

// A <link>, <meta>, <base> or <script> element of a page's head, as a browser would read its
// start tag.
struct HeadTag {
    // The attributes of one tag, in the order they stand.
    struct Attributes {
        const HeadAttribute* first = nullptr;
        std::size_t count = 0;
        const HeadAttribute* begin() const { return first; }
        const HeadAttribute* end() const { return first + count; }
        std::size_t size() const { return count; }
    };

    // Where `known` has no attribute of a key's name.
    static constexpr std::uint32_t kAbsent = UINT32_MAX;

    HeadElement element = HeadElement::Link;
    std::u16string_view name;  // "link", "meta", "base" or "script"
    Attributes attributes;
    std::u16string_view text;  // a script's content, as it stands
    // For each HeadKey, the index among `attributes` of the first attribute of its name.
    std::array<std::uint32_t, kHeadKeys> known;
    // For a link, the HeadRel types its first rel attribute names, in any letter case.
    unsigned char rels = 0;

    HeadTag() { known.fill(kAbsent); }

    // The value of the first attribute of that name (in lower case), or none.
    std::optional<std::u16string_view> Attribute(std::u16string_view attribute) const;
    // The same for an attribute the page rules read, without a search.
    std::optional<std::u16string_view> Value(HeadKey key) const {
        const std::uint32_t at = known[static_cast<std::size_t>(key)];
        if (at == kAbsent) return std::nullopt;
        return attributes.first[at].value;
    }
    bool Is(HeadElement kind) const { return element == kind; }
    // True when the attribute holds `token` among its blank-separated tokens, in any letter case.
    bool HasToken(std::u16string_view attribute, std::u16string_view token) const;
};

// The head tags of one page. They point into a copy of the head's text that this object holds,
// in which names are lowered and values decoded in place: a page's tags take three allocations,
// however many attributes they have.
// Moving keeps the views valid; copying is not possible.
class HeadTags {
public:
    HeadTags() = default;
    HeadTags(HeadTags&&) = default;
    HeadTags& operator=(HeadTags&&) = default;

    const HeadTag* begin() const { return tags_.data(); }
    const HeadTag* end() const { return tags_.data() + tags_.size(); }
    std::size_t size() const { return tags_.size(); }
    bool empty() const { return tags_.empty(); }
    const HeadTag& operator[](std::size_t index) const { return tags_[index]; }

private:
    friend HeadTags ScanHeadText(std::u16string_view head);
    friend HeadTags ScanHeadBytes(const unsigned char* head, std::size_t count, bool utf8);
    // Reads the tags of the `size` code units of a head's text, lowering names and decoding
    // values where they stand; `units` (the text, or the bytes it was widened from) show where.
    template <typename Unit>
    static HeadTags Scan(const Unit* units, std::unique_ptr<char16_t[]> head, std::size_t size);

    std::unique_ptr<char16_t[]> text_;
    std::vector<HeadAttribute> attributes_;
    std::vector<HeadTag> tags_;
};

// The head of a page's text ends where "</head" or "<body" starts (in any letter case).
// Returns where, or npos when the text holds neither.
std::size_t HeadEnd(std::u16string_view text);
// The same in the bytes of 8-bit or UTF-8 text, where the words stand as ASCII bytes.
std::size_t HeadEnd(const unsigned char* bytes, std::size_t count);

// The link, meta, base and script elements of the head, in the order they stand, up to the head's end
// (or the end of the text). Comments, other tags and the content of script, style, title and
// textarea elements are passed over; a cut tag, a quote that is never closed or a missing '>'
// ends the scan without harm. Takes time in proportion to the text.
HeadTags ScanHeadTags(std::u16string_view text);
// The same for a text cut at the head's end already.
HeadTags ScanHeadText(std::u16string_view head);
// The same for the bytes of a head cut at its end already, in UTF-8 or else in the system's 8-bit
// code page, decoded straight into the tags' own copy.
HeadTags ScanHeadBytes(const unsigned char* head, std::size_t count, bool utf8);

// Decodes the character references of an attribute value: the named ones XML and HTML share
// (&amp; &lt; &gt; &quot; &apos;, and &nbsp;) and numeric ones (&#38; &#x26;). Anything else
// stays as it is.
String DecodeCharacterReferences(std::u16string_view value);

}  // namespace linkloom
