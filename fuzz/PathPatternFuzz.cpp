// Feeds a pattern and a path to the exclude matcher and checks its answer against a plain
// definition of the same rules, memoised so that it stays quick: no input may crash either or
// make them disagree. Input: the first byte's low bit says folder; then the pattern, a zero
// byte, and the path, as UTF-8.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/walk/PathPattern.h"
#include "platform/TextCompare.h"

namespace {

using linkloom::String;
using Text = std::u16string;

Text Folded(const String& text) {
    Text folded = text.Text();
    for (char16_t& unit : folded) unit = linkloom::platform::FoldCase(unit);
    return folded;
}

std::vector<Text> Names(const Text& path) {
    std::vector<Text> names;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != u'/') continue;
        if (i > start) names.push_back(path.substr(start, i - start));
        start = i + 1;
    }
    return names;
}

// The closing ']' of the set opening at `open`, or npos.
std::size_t SetClose(const Text& glob, std::size_t open) {
    std::size_t at = open + 1;
    if (at < glob.size() && (glob[at] == u'!' || glob[at] == u'^')) ++at;
    if (at < glob.size() && glob[at] == u']') ++at;
    return glob.find(u']', at);
}

bool InSet(const Text& glob, std::size_t open, std::size_t close, char16_t unit) {
    std::size_t at = open + 1;
    const bool negated = glob[at] == u'!' || glob[at] == u'^';
    if (negated) ++at;
    bool found = false;
    for (; at < close; ++at) {
        if (at + 2 < close && glob[at + 1] == u'-') {
            found = found || (unit >= glob[at] && unit <= glob[at + 2]);
            at += 2;
        } else {
            found = found || unit == glob[at];
        }
    }
    return found != negated;
}

struct NameMatch {
    const Text& glob;
    const Text& name;
    std::map<std::pair<std::size_t, std::size_t>, bool> memo;

    bool At(std::size_t g, std::size_t n) {
        const auto key = std::make_pair(g, n);
        const auto known = memo.find(key);
        if (known != memo.end()) return known->second;
        bool result;
        if (g == glob.size()) {
            result = n == name.size();
        } else if (glob[g] == u'*') {
            result = At(g + 1, n) || (n < name.size() && At(g, n + 1));
        } else if (n == name.size()) {
            result = false;
        } else if (glob[g] == u'[') {
            const std::size_t close = SetClose(glob, g);
            result = InSet(glob, g, close, name[n]) && At(close + 1, n + 1);
        } else {
            result = (glob[g] == u'?' || glob[g] == name[n]) && At(g + 1, n + 1);
        }
        return memo[key] = result;
    }
};

struct PathMatch {
    const std::vector<Text>& segments;
    const std::vector<Text>& names;
    std::map<std::pair<std::size_t, std::size_t>, bool> memo;

    bool At(std::size_t s, std::size_t n) {
        const auto key = std::make_pair(s, n);
        const auto known = memo.find(key);
        if (known != memo.end()) return known->second;
        bool result;
        if (s == segments.size()) {
            result = n == names.size();
        } else if (segments[s] == u"**") {
            result = At(s + 1, n) || (n < names.size() && At(s, n + 1));
        } else {
            result = n < names.size() && NameMatch{segments[s], names[n], {}}.At(0, 0) && At(s + 1, n + 1);
        }
        return memo[key] = result;
    }
};

// 0 for no pattern, 1 for no match, 2 for a match.
int Expected(const String& pattern, const String& path, bool isFolder) {
    const std::vector<Text> segments = Names(Folded(pattern));
    if (segments.empty()) return 0;
    for (const Text& segment : segments) {
        for (std::size_t at = 0; at < segment.size(); ++at) {
            if (segment[at] != u'[') continue;
            at = SetClose(segment, at);
            if (at == Text::npos) return 0;
        }
    }
    if (pattern.EndsWith(u'/') && !isFolder) return 1;
    const std::vector<Text> names = Names(Folded(path));
    return PathMatch{segments, names, {}}.At(0, 0) ? 2 : 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool isFolder = (data[0] & 1) != 0;
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t split = rest.find('\0');
    const String pattern = String::FromUtf8(rest.substr(0, split));
    const String path = split == std::string::npos ? String() : String::FromUtf8(rest.substr(split + 1));

    linkloom::PathPattern parsed;
    const bool valid = parsed.Parse(pattern);
    const int actual = valid ? (parsed.Matches(path, isFolder) ? 2 : 1) : 0;
    if (actual != Expected(pattern, path, isFolder)) std::abort();
    return 0;
}
