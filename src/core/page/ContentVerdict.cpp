#include "core/page/ContentVerdict.h"

#include <algorithm>

#include "base/TextScan.h"
#include "platform/CodePages.h"
#include "platform/TextCompare.h"

namespace linkloom {

namespace {

// True when the word stands in the text's first characters.
bool InHead(const unsigned char* bytes, std::size_t count, bool utf8, std::string_view word) {
    const std::size_t at = FindAsciiNoCase(bytes, count, word);
    if (at == std::string_view::npos) return false;
    const std::size_t end = at + word.size();
    return (utf8 ? platform::Utf8Length(bytes, end) : end) <= kHeadLength;
}

}  // namespace

PageVerdict ContentVerdict(std::u16string_view head, const SelectionOptions& options) {
    if (options.excludeNoindex && platform::ContainsNoCase(head, u"noindex")) return PageVerdict::Noindex;
    if (options.requireDoctype && !platform::ContainsNoCase(head, u"!DOCTYPE")) return PageVerdict::NoDoctype;
    return PageVerdict::Keep;
}

std::size_t HeadBytes(const unsigned char* bytes, std::size_t count, bool utf8) {
    if (!utf8) return kHeadLength;
    // A sequence cut at the end of the bytes may add up to six more.
    const std::size_t made = std::min(CountUtf8Starts(bytes, count), kHeadLength);
    return count + 3 * (kHeadLength - made) + 6;
}

PageVerdict ContentVerdict(const unsigned char* bytes, std::size_t count, bool utf8, const SelectionOptions& options) {
    if (options.excludeNoindex && InHead(bytes, count, utf8, "noindex")) return PageVerdict::Noindex;
    if (options.requireDoctype && !InHead(bytes, count, utf8, "!doctype")) return PageVerdict::NoDoctype;
    return PageVerdict::Keep;
}

}  // namespace linkloom
