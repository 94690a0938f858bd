#pragma once

#include <vector>

#include "base/String.h"
#include "cli/output/OutputNames.h"

namespace linkloom::cli {

// The file names of the parts beside FILE that the sitemap index now at `file` names, read before
// a new set replaces it: only these are parts of an earlier set. Empty when `file` is missing or
// not an index; a part is known by its file name at the end of the location, which is NAME, '-',
// a number and the extension, as a set of ours names its parts.
std::vector<String> EarlierParts(const OutputNames& names, const String& file);

// The file names of the text parts of an earlier set beside FILE, which no index names: NAME-1.txt,
// NAME-2.txt, ... up to the first that is missing or does not begin with an http(s) URL, as every
// text sitemap of ours does.
std::vector<String> EarlierTextParts(const OutputNames& names);

}  // namespace linkloom::cli
