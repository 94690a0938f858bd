#include "support/JobRun.h"

namespace linkloom::test {

FakeHost HostFor(const TempTree& tree, const String& extensions, JobFlags flags) {
    FakeHost host;
    host.inputs = {tree.Root(), extensions, u"https://example.com/", (flags & JobFlag::Subfolders) != 0,
                   (flags & JobFlag::ExcludeNoindex) != 0};
    host.flags = flags;
    return host;
}

std::vector<std::string> Locations(const std::string& document) {
    std::vector<std::string> found;
    const std::string open = "<loc>", close = "</loc>";
    for (auto at = document.find(open); at != std::string::npos; at = document.find(open, at)) {
        at += open.size();
        found.push_back(document.substr(at, document.find(close, at) - at));
    }
    return found;
}

}  // namespace linkloom::test
