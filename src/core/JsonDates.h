#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace linkloom {

// The string values of the "dateModified" members of a JSON text (a page's JSON-LD), at any
// depth, in the order they stand, escapes decoded. The text is read as a sequence of tokens, so a
// name inside another string is never taken for a member; text that is not JSON gives what could
// be read before it went wrong. Takes time in proportion to the text.
std::vector<std::u16string> DateModifiedValues(std::u16string_view json);

}  // namespace linkloom
