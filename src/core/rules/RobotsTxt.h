#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "base/String.h"

namespace linkloom {

// An Allow or Disallow line of the group for every crawler.
struct RobotsRule {
    bool allow = false;
    String pattern;  // as the line gives it
    // The pattern in normal form split at its '*' wildcards, and whether a final '$' ends it.
    std::vector<std::u16string> pieces;
    bool anchored = false;
    // How specific the rule is: the octets of the pattern in normal form.
    std::size_t length = 0;
};

// The rules that a site's robots.txt sets for crawlers in general, as RFC 9309 reads them: the
// groups whose user-agent is "*" (combined when there are several), field names in any letter
// case, rules matched against a location's path and query with '*' for any text and a final '$'
// for the end, the longest match deciding and Allow winning a tie. Also the URLs of its Sitemap
// lines. Any bytes can be read; what is no line of these is passed over.
class RobotsTxt {
public:
    // The most of a robots.txt that is read: crawlers must read at least this much and may
    // ignore the rest.
    static constexpr std::size_t kMostBytes = 500 * 1024;

    // Reads the text of a robots.txt (UTF-8, a byte order mark allowed), adding to what it holds.
    void Parse(std::string_view text);

    // The rule that decides for `pathAndQuery` (a location's path, '/' first, and its query), or
    // null when none matches and the location is allowed.
    const RobotsRule* Decide(std::u16string_view pathAndQuery) const;
    bool Allows(std::u16string_view pathAndQuery) const;

    // True when a Sitemap line names `url`, both taken in normal form.
    bool NamesSitemap(const String& url) const;

private:
    void AddRule(bool allow, const String& pattern);
    // The node that `from` leads to by `unit`, made when there is none.
    std::uint32_t Child(std::uint32_t from, char16_t unit);

    std::vector<RobotsRule> rules_;
    std::vector<String> sitemaps_;
    // Rules by the literal text before their first wildcard, in a tree of characters, so that a
    // path meets only the rules whose beginning it has. Node 0 is the root.
    std::vector<std::vector<std::uint32_t>> rulesAt_{1};
    std::unordered_map<std::uint64_t, std::uint32_t> children_;
    std::unordered_set<std::u16string> known_;  // each rule by its kind and normal form, once
};

}  // namespace linkloom
