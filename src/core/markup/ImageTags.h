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

}  // namespace linkloom
