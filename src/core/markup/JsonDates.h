#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace linkloom {

// The string values of the "dateModified" members of a JSON text (a page's JSON-LD), at any
// depth, in the order they stand, escapes decoded. Strings are read whole, so a name inside another
// string is never taken for a member; what lies between strings is passed over, so a text that is
// not quite JSON still gives its members. A string left open ends the reading. Takes time in
// proportion to the text.
std::vector<std::u16string> DateModifiedValues(std::u16string_view json);

}  // namespace linkloom
