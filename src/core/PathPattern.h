#pragma once

#include <vector>

#include "base/String.h"

namespace linkloom {

// A glob over a path relative to the walked folder, matched against the whole path: '*' stands
// for any text within one name, '**' as a whole name for any number of folders, '?' for one
// character, '[...]' for one of a set ('a-z' ranges, '!' or '^' first to negate). Names are
// separated by '/' on every system and compared without regard to case. A pattern that ends in
// '/' matches folders only.
class PathPattern {
public:
    // False when the text is no pattern: empty, or with a '[' that is not closed in its name.
    bool Parse(const String& text);
    // `path` uses '/' between names.
    bool Matches(const String& path, bool isFolder) const;
    const String& Text() const { return text_; }

private:
    bool MatchesFrom(std::size_t segment, const std::vector<String>& names, std::size_t name) const;

    String text_;
    std::vector<String> segments_;  // case-folded
    bool foldersOnly_ = false;
};

// The first of `patterns` that matches, or null.
const PathPattern* FirstMatch(const std::vector<PathPattern>& patterns, const String& path, bool isFolder);

}  // namespace linkloom
