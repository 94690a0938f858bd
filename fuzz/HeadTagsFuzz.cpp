// Feeds any text to the head scanner: it must end, touch nothing out of bounds, and find only
// link, meta and script elements with attribute names in lower case, none of them from past the
// head's end. Input: UTF-16LE code units. The image scan, fed the same bytes as UTF-8 and as
// 8-bit text, must find the sources it finds in their decoded text.
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace linkloom;
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    const std::size_t end = HeadEnd(text);
    for (const HeadTag& tag : ScanHeadTags(text)) {
        const std::u16string_view name = tag.name;
        if (name != u"link" && name != u"meta" && name != u"script") std::abort();
        for (const HeadAttribute& attribute : tag.attributes) {
            if (attribute.name.empty() || HasUpperCase(attribute.name)) std::abort();
        }
        // Whatever a script holds lies before the head's end.
        if (end != std::u16string::npos && tag.text.size() > end) std::abort();
    }
    DecodeCharacterReferences(text);
    ScanImageSources(text);
    std::u16string decoded(size, u'\0');
    for (const bool utf8 : {false, true}) {
        decoded.resize(utf8 ? platform::DecodeUtf8(data, size, decoded.data(), size)
                            : platform::DecodeAnsi(data, size, decoded.data(), size));
        if (ScanImageSources(data, size, utf8) != ScanImageSources(decoded)) std::abort();
        decoded.resize(size);
    }
    return 0;
}
