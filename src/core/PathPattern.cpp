#include "core/PathPattern.h"

#include "platform/TextCompare.h"

namespace linkloom {

namespace {

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

// The end of the set that opens at `open`, or npos when it is not closed.
std::size_t SetEnd(const String& glob, std::size_t open) {
    std::size_t at = open + 1;
    if (at < glob.Length() && (glob[at] == u'!' || glob[at] == u'^')) ++at;
    if (at < glob.Length() && glob[at] == u']') ++at;  // a leading ']' is a member
    const auto close = glob.Find(u']', at);
    return close == String::npos ? std::u16string::npos : static_cast<std::size_t>(close);
}

bool InSet(const String& glob, std::size_t open, std::size_t close, char16_t unit) {
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

// One name against one glob without '/', both folded; '*' backtracks to its last position.
bool MatchesName(const String& glob, const String& name) {
    std::size_t g = 0, n = 0;
    std::size_t starGlob = std::u16string::npos, starName = 0;
    while (n < name.Length()) {
        if (g < glob.Length() && glob[g] == u'*') {
            starGlob = ++g;
            starName = n;
            continue;
        }
        if (g < glob.Length()) {
            if (glob[g] == u'[') {
                const std::size_t close = SetEnd(glob, g);
                if (InSet(glob, g, close, name[n])) {
                    g = close + 1;
                    ++n;
                    continue;
                }
            } else if (glob[g] == u'?' || glob[g] == name[n]) {
                ++g;
                ++n;
                continue;
            }
        }
        if (starGlob == std::u16string::npos) return false;
        g = starGlob;
        n = ++starName;
    }
    while (g < glob.Length() && glob[g] == u'*') ++g;
    return g == glob.Length();
}

}  // namespace

bool PathPattern::Parse(const String& text) {
    text_ = text;
    foldersOnly_ = text.EndsWith(u'/');
    segments_ = Split(Folded(text));
    for (const String& segment : segments_) {
        for (std::size_t at = 0; at < segment.Length(); ++at) {
            if (segment[at] != u'[') continue;
            at = SetEnd(segment, at);
            if (at == std::u16string::npos) return false;
        }
    }
    return !segments_.empty();
}

bool PathPattern::MatchesFrom(std::size_t segment, const std::vector<String>& names, std::size_t name) const {
    for (; segment < segments_.size(); ++segment, ++name) {
        if (segments_[segment].Text() == u"**") {
            for (std::size_t skipped = name; skipped <= names.size(); ++skipped) {
                if (MatchesFrom(segment + 1, names, skipped)) return true;
            }
            return false;
        }
        if (name == names.size() || !MatchesName(segments_[segment], names[name])) return false;
    }
    return name == names.size();
}

bool PathPattern::Matches(const String& path, bool isFolder) const {
    if (foldersOnly_ && !isFolder) return false;
    return MatchesFrom(0, Split(Folded(path)), 0);
}

const PathPattern* FirstMatch(const std::vector<PathPattern>& patterns, const String& path, bool isFolder) {
    for (const PathPattern& pattern : patterns) {
        if (pattern.Matches(path, isFolder)) return &pattern;
    }
    return nullptr;
}

}  // namespace linkloom
