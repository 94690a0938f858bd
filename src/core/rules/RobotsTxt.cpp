#include "core/rules/RobotsTxt.h"

#include "base/AsciiCharacters.h"
#include "core/url/UrlReference.h"

namespace linkloom {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// An escaped '*' or '$' in a pattern stands for the character itself, not for its special sense.
std::u16string Literal(std::u16string_view piece) {
    std::u16string literal;
    for (std::size_t i = 0; i < piece.size(); ++i) {
        if (piece[i] == u'%' && (piece.substr(i, 3) == u"%2A" || piece.substr(i, 3) == u"%24")) {
            literal += piece[i + 2] == u'A' ? u'*' : u'$';
            i += 2;
        } else {
            literal += piece[i];
        }
    }
    return literal;
}

// True when the rule's pieces after the first, which `path` starts with, match the rest of it.
bool MatchesRest(const RobotsRule& rule, std::u16string_view path) {
    std::size_t at = rule.pieces[0].size();
    const std::size_t last = rule.pieces.size() - 1;
    if (last == 0) return !rule.anchored || at == path.size();
    for (std::size_t i = 1; i < last; ++i) {
        // The earliest place of each piece leaves the most room for those after it.
        const std::size_t found = path.find(rule.pieces[i], at);
        if (found == std::u16string_view::npos) return false;
        at = found + rule.pieces[i].size();
    }
    const std::u16string& end = rule.pieces[last];
    if (rule.anchored) return path.size() >= at + end.size() && path.substr(path.size() - end.size()) == end;
    return path.find(end, at) != std::u16string_view::npos;
}

std::u16string NormalForm(const String& url) {
    UrlParts parts = SplitUrl(url.Text());
    return NormalizeUrl(parts) ? parts.Text() : url.Text();
}

// Of two rules that match, the one that decides.
bool Outranks(const RobotsRule& rule, const RobotsRule* best) {
    return !best || rule.length > best->length || (rule.length == best->length && rule.allow && !best->allow);
}

}  // namespace

void RobotsTxt::Parse(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    bool inGroup = false, forEveryCrawler = false, groupHasRules = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        line = line.substr(0, line.find('#'));
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string_view field = Trimmed(line.substr(0, colon));
        const std::string_view value = Trimmed(line.substr(colon + 1));
        const bool allow = AsciiEqualsNoCase(field, "allow");
        if (AsciiEqualsNoCase(field, "user-agent")) {
            // A user-agent line after rules starts the next group.
            if (groupHasRules) forEveryCrawler = groupHasRules = false;
            inGroup = true;
            forEveryCrawler |= value == "*";
        } else if (allow || AsciiEqualsNoCase(field, "disallow")) {
            if (!inGroup) continue;
            groupHasRules = true;
            if (forEveryCrawler) AddRule(allow, String::FromUtf8(value));
        } else if (AsciiEqualsNoCase(field, "sitemap") && !value.empty()) {
            sitemaps_.push_back(String::FromUtf8(value));
        }
    }
}

void RobotsTxt::AddRule(bool allow, const String& pattern) {
    std::u16string normal;
    AppendNormalized(normal, pattern.Text(), UrlComponent::Query);
    // An empty pattern matches nothing; one that starts otherwise than a path names no location.
    if (normal.empty() || (normal[0] != u'/' && normal[0] != u'*')) return;
    if (!known_.insert((allow ? u"A" : u"D") + normal).second) return;

    RobotsRule rule;
    rule.allow = allow;
    rule.pattern = pattern;
    rule.length = normal.size();
    rule.anchored = normal.back() == u'$';
    const std::u16string_view body(normal.data(), normal.size() - (rule.anchored ? 1 : 0));
    for (std::size_t at = 0;;) {
        const std::size_t star = body.find(u'*', at);
        rule.pieces.push_back(Literal(body.substr(at, star == std::u16string_view::npos ? star : star - at)));
        if (star == std::u16string_view::npos) break;
        at = star + 1;
    }
    std::uint32_t node = 0;
    for (const char16_t unit : rule.pieces[0]) node = Child(node, unit);
    rulesAt_[node].push_back(static_cast<std::uint32_t>(rules_.size()));
    rules_.push_back(std::move(rule));
}

std::uint32_t RobotsTxt::Child(std::uint32_t from, char16_t unit) {
    const std::uint64_t key = (static_cast<std::uint64_t>(from) << 16) | unit;
    const auto found = children_.find(key);
    if (found != children_.end()) return found->second;
    const auto made = static_cast<std::uint32_t>(rulesAt_.size());
    rulesAt_.emplace_back();
    children_.emplace(key, made);
    return made;
}

const RobotsRule* RobotsTxt::Decide(std::u16string_view pathAndQuery) const {
    std::u16string path;
    AppendNormalized(path, pathAndQuery, UrlComponent::Query);
    // robots.txt itself may always be read.
    if (path == u"/robots.txt") return nullptr;
    const RobotsRule* best = nullptr;
    std::uint32_t node = 0;
    for (std::size_t depth = 0;; ++depth) {
        for (const std::uint32_t index : rulesAt_[node]) {
            const RobotsRule& rule = rules_[index];
            if (Outranks(rule, best) && MatchesRest(rule, path)) best = &rule;
        }
        if (depth == path.size()) break;
        const auto child = children_.find((static_cast<std::uint64_t>(node) << 16) | path[depth]);
        if (child == children_.end()) break;
        node = child->second;
    }
    return best;
}

bool RobotsTxt::Allows(std::u16string_view pathAndQuery) const {
    const RobotsRule* rule = Decide(pathAndQuery);
    return !rule || rule->allow;
}

bool RobotsTxt::NamesSitemap(const String& url) const {
    const std::u16string wanted = NormalForm(url);
    for (const String& sitemap : sitemaps_) {
        if (NormalForm(sitemap) == wanted) return true;
    }
    return false;
}

}  // namespace linkloom
