#pragma once

#include <string>
#include <vector>

#include "support/FakeFront.h"
#include "support/TempTree.h"

namespace linkloom::test {

// Selection options with subfolders and nothing else.
SelectionOptions SubfoldersOnly();

// Selection options with the content tests given and nothing else.
SelectionOptions ContentTests(bool noindex, bool doctype);

// A fake front end set up to run on `tree` with the root URL "https://example.com/".
FakeFront FrontFor(const TempTree& tree, const String& extensions = u"htm,php",
                   SelectionOptions options = SubfoldersOnly());

// The <loc> texts of a document, in order.
std::vector<std::string> Locations(const std::string& document);

}  // namespace linkloom::test
