#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace linkloom {

// Character references as HTML's tokenizer reads them, on UTF-8 (or other ASCII-based) bytes.
// `text` starts right after an '&'; `inAttribute` applies the rule that keeps "&copy=" and the
// like literal in attribute values. Appends what the reference stands for, in UTF-8, to `out`
// and returns the bytes it took after the '&'; 0 when the '&' starts no reference (and nothing
// is appended).
std::size_t DecodeCharacterReference(std::string_view text, bool inAttribute, std::string& out);

}  // namespace linkloom
