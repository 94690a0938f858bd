// Feeds any text to the head scanner: it must end, touch nothing out of bounds, and find only
// link, meta, base and script elements with attribute names in lower case, none of them from past
// the head's end. Input: UTF-16LE code units; the same bytes read as UTF-8 and as 8-bit text must
// give the tags and the image sources of their decoded text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/markup/HeadTags.h"
#include "core/markup/ImageTags.h"
#include "platform/CodePages.h"

namespace {

bool HasUpperCase(std::u16string_view name) {
    for (const char16_t unit : name) {
        if (unit >= u'A' && unit <= u'Z') return true;
    }
    return false;
}

bool SameTags(const linkloom::HeadTags& left, const linkloom::HeadTags& right) {
    if (left.size() != right.size()) return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        const linkloom::HeadTag &one = left[i], &other = right[i];
        if (one.name != other.name || one.text != other.text || one.attributes.size() != other.attributes.size() ||
            one.known != other.known || one.rels != other.rels)
            return false;
        for (std::size_t j = 0; j < one.attributes.size(); ++j) {
            const linkloom::HeadAttribute &a = one.attributes.begin()[j], &b = other.attributes.begin()[j];
            if (a.name != b.name || a.value != b.value) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace linkloom;
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    const std::size_t end = HeadEnd(text);
    for (const HeadTag& tag : ScanHeadTags(text)) {
        const std::u16string_view name = tag.name;
        if (name != u"link" && name != u"meta" && name != u"base" && name != u"script") std::abort();
        for (const HeadAttribute& attribute : tag.attributes) {
            if (attribute.name.empty() || HasUpperCase(attribute.name)) std::abort();
        }
        // The attributes looked up at the scan are those a search finds.
        constexpr std::u16string_view kKeyNames[kHeadKeys] = {u"rel",     u"href",       u"hreflang", u"name",
                                                              u"content", u"http-equiv", u"property"};
        for (std::size_t key = 0; key < kHeadKeys; ++key) {
            if (tag.Value(static_cast<HeadKey>(key)) != tag.Attribute(kKeyNames[key])) std::abort();
        }
        if (tag.Is(HeadElement::Link) && ((tag.rels & kRelCanonical) != 0) != tag.HasToken(u"rel", u"canonical"))
            std::abort();
        // Whatever a script holds lies before the head's end.
        if (end != std::u16string::npos && tag.text.size() > end) std::abort();
    }
    DecodeCharacterReferences(text);
    ScanImageSources(text);
    std::u16string decoded(size, u'\0');
    for (const bool utf8 : {true, false}) {
        decoded.resize((utf8 ? platform::DecodeUtf8 : platform::DecodeAnsi)(data, size, decoded.data(), size));
        if (!SameTags(ScanHeadBytes(data, size, utf8), ScanHeadText(decoded))) std::abort();
        if (ScanImageSources(data, size, utf8) != ScanImageSources(decoded)) std::abort();
        decoded.resize(size);
    }
    return 0;
}
