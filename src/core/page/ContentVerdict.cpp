#include "core/page/ContentVerdict.h"

#include <algorithm>

#include "base/TextScan.h"
#include "platform/CodePages.h"
#include "platform/TextCompare.h"

namespace linkloom {

namespace {

// Bytes asked for beyond the estimate of what the missing characters take.
constexpr std::size_t kDensitySlack = 64;

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
    // Past the first characters' starts the last of them is whole, whichever was cut.
    const std::size_t starts = CountUtf8Starts(bytes, count);
    if (starts > kHeadLength) return count;
    const std::size_t missing = kHeadLength - starts;
    // A sequence cut at the end of the bytes may add up to six more.
    const std::size_t most = count + 3 * missing + 6;
    if (starts == 0) return most;
    // The rest is taken to be as dense as the bytes at hand, with room for a little more.
    return std::min(most, count + (missing + 1) * count / starts + kDensitySlack);
}

PageVerdict ContentVerdict(const unsigned char* bytes, std::size_t count, bool utf8, const SelectionOptions& options) {
    if (options.excludeNoindex && InHead(bytes, count, utf8, "noindex")) return PageVerdict::Noindex;
    if (options.requireDoctype && !InHead(bytes, count, utf8, "!doctype")) return PageVerdict::NoDoctype;
    return PageVerdict::Keep;
}

}  // namespace linkloom
