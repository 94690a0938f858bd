#pragma once

#include <string_view>
#include <vector>

#include "base/String.h"

namespace linkloom {

// The image sources of a page's <img> elements, in the order they stand: each one's src, then the
// URL of the first candidate of its srcset, character references decoded and blanks around them
// dropped. Comments and the content of script and style elements are passed over; a cut tag
// ends the scan. Takes time in proportion to the text.
std::vector<String> ScanImageSources(std::u16string_view text);
// The same sources found in the bytes of 8-bit text (ANSI) or UTF-8 (`utf8`), each decoded as the
// whole text would be. Only for code pages whose bytes below 0x80 are ASCII characters alone.
std::vector<String> ScanImageSources(const unsigned char* bytes, std::size_t count, bool utf8);

}  // namespace linkloom
