#include "support/TreeRun.h"

namespace linkloom::test {

SelectionOptions SubfoldersOnly() {
    SelectionOptions options;
    options.excludeNoindex = false;
    return options;
}

SelectionOptions ContentTests(bool noindex, bool doctype) {
    SelectionOptions options = SelectionOptions::FromFlagsWord(0);
    options.excludeNoindex = noindex;
    options.requireDoctype = doctype;
    return options;
}

FakeFront FrontFor(const TempTree& tree, const String& extensions, SelectionOptions options) {
    FakeFront front;
    front.inputs = {tree.Root(), extensions, u"https://example.com/", options};
    return front;
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
