#pragma once

#include <string>
#include <vector>

#include "core/run/SitemapJob.h"
#include "support/FakeHost.h"
#include "support/TempTree.h"

namespace linkloom::test {

// A fake host set up to run on `tree` with the root URL "https://example.com/".
FakeHost HostFor(const TempTree& tree, const String& extensions = u"htm,php", JobFlags flags = JobFlag::Subfolders);

// The <loc> texts of a document, in order.
std::vector<std::string> Locations(const std::string& document);

}  // namespace linkloom::test
