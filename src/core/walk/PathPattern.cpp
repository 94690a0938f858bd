#include "core/walk/PathPattern.h"

#include "platform/TextCompare.h"

namespace linkloom {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

String Folded(const String& text) {
    std::u16string folded = text.Text();
    for (char16_t& unit : folded) unit = platform::FoldCase(unit);
    return String(std::move(folded));
}

std::vector<String> Split(const String& path) {
    std::vector<String> names;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.Length(); ++i) {
        if (i < path.Length() && path[i] != u'/') continue;
        if (i > start) names.push_back(String(path.Text().substr(start, i - start)));
        start = i + 1;
    }
    return names;
}

// The end of the set that opens at `open`, or kNone when it is not closed.
std::size_t SetEnd(const String& glob, std::size_t open) {
    std::size_t at = open + 1;
    if (at < glob.Length() && (glob[at] == u'!' || glob[at] == u'^')) ++at;
    if (at < glob.Length() && glob[at] == u']') ++at;  // a leading ']' is a member
    const auto close = glob.Find(u']', at);
    return close == String::npos ? kNone : static_cast<std::size_t>(close);
}

// Matches `items` against `elements`, where an element for which `spansRun` holds stands for any
// run of items and every other element for exactly one item that `matchesOne` accepts. Going
// back to the last run element alone is enough, and each pair of element and item is tried at
// most once: the time is proportional to the product of the two lengths.
template <typename Elements, typename Items, typename SpansRun, typename MatchesOne>
bool MatchesWhole(const Elements& elements, const Items& items, SpansRun spansRun, MatchesOne matchesOne) {
    std::size_t element = 0, item = 0;
    std::size_t resumeElement = kNone, resumeItem = 0;
    while (item < items.size()) {
        if (element < elements.size() && spansRun(elements[element])) {
            resumeElement = ++element;
            resumeItem = item;
            continue;
        }
        if (element < elements.size() && matchesOne(elements[element], items[item])) {
            ++element;
            ++item;
            continue;
        }
        if (resumeElement == kNone) return false;
        element = resumeElement;
        item = ++resumeItem;
    }
    while (element < elements.size() && spansRun(elements[element])) ++element;
    return element == elements.size();
}

}  // namespace

bool PathPattern::NameElement::Matches(char16_t candidate) const {
    switch (kind) {
    case Kind::AnyRun:
    case Kind::AnyOne: return true;
    case Kind::Unit: return candidate == unit;
    case Kind::Set: break;
    }
    bool found = false;
    for (const auto& range : ranges) found = found || (candidate >= range.first && candidate <= range.second);
    return found != negated;
}

bool PathPattern::Parse(const String& text, PathStyle style) {
    text_ = text;
    String separated = text;
    if (style == PathStyle::Windows) separated.ReplaceAll(u"\\", u"/");
    foldersOnly_ = separated.EndsWith(u'/');
    segments_.clear();
    for (const String& name : Split(Folded(separated))) {
        Segment segment;
        segment.anyNames = name.Text() == u"**";
        // A run of '**' names spans no more than one does.
        if (segment.anyNames && !segments_.empty() && segments_.back().anyNames) continue;
        for (std::size_t at = 0; !segment.anyNames && at < name.Length(); ++at) {
            NameElement element;
            if (name[at] == u'*') {
                if (!segment.glob.empty() && segment.glob.back().kind == NameElement::Kind::AnyRun) continue;
                element.kind = NameElement::Kind::AnyRun;
            } else if (name[at] == u'?') {
                element.kind = NameElement::Kind::AnyOne;
            } else if (name[at] == u'[') {
                const std::size_t close = SetEnd(name, at);
                if (close == kNone) return false;
                element.kind = NameElement::Kind::Set;
                ++at;
                element.negated = name[at] == u'!' || name[at] == u'^';
                if (element.negated) ++at;
                for (; at < close; ++at) {
                    if (at + 2 < close && name[at + 1] == u'-') {
                        element.ranges.emplace_back(name[at], name[at + 2]);
                        at += 2;
                    } else {
                        element.ranges.emplace_back(name[at], name[at]);
                    }
                }
            } else {
                element.unit = name[at];
            }
            segment.glob.push_back(std::move(element));
        }
        segments_.push_back(std::move(segment));
    }
    return !segments_.empty();
}

bool PathPattern::Matches(const String& path, bool isFolder) const {
    if (foldersOnly_ && !isFolder) return false;
    const auto spansRun = [](const NameElement& element) { return element.kind == NameElement::Kind::AnyRun; };
    const auto unitMatches = [](const NameElement& element, char16_t unit) { return element.Matches(unit); };
    return MatchesWhole(
        segments_, Split(Folded(path)), [](const Segment& segment) { return segment.anyNames; },
        [&](const Segment& segment, const String& name) {
            return MatchesWhole(segment.glob, name.Text(), spansRun, unitMatches);
        });
}

const PathPattern* FirstMatch(const std::vector<PathPattern>& patterns, const String& path, bool isFolder) {
    for (const PathPattern& pattern : patterns) {
        if (pattern.Matches(path, isFolder)) return &pattern;
    }
    return nullptr;
}

}  // namespace linkloom
