#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "base/PathText.h"
#include "base/String.h"
#include "platform/NativePath.h"

namespace linkloom {

// A glob over a path relative to the walked folder, matched against the whole path: '*' stands
// for any text within one name, '**' as a whole name for any number of folders, '?' for one
// character, '[...]' for one of a set ('a-z' ranges, '!' or '^' first to negate). Names are
// separated by '/' on every system, and by '\' too where no name can hold one (Windows), and
// compared without regard to case. A pattern that ends in a separator matches folders only.
// Matching takes time proportional to the pattern's length times the path's, whatever the
// pattern holds.
class PathPattern {
public:
    // The longest pattern text a front end accepts, in UTF-16 code units.
    static constexpr std::size_t kMaxLength = 4096;

    // False when the text is no pattern: empty, or with a '[' that is not closed in its name.
    bool Parse(const String& text, PathStyle style = platform::kNativePathStyle);
    // `path` uses '/' between names.
    bool Matches(const String& path, bool isFolder) const;
    const String& Text() const { return text_; }

private:
    // One element of a name's glob: a run of any characters, or one character of some kind.
    struct NameElement {
        enum class Kind { AnyRun, AnyOne, Unit, Set };
        Kind kind = Kind::Unit;
        char16_t unit = 0;                                  // Unit
        bool negated = false;                               // Set
        std::vector<std::pair<char16_t, char16_t>> ranges;  // Set: a single member is a range of one
        bool Matches(char16_t candidate) const;
    };
    // One name of the pattern: '**' spans any run of names, any other glob matches one name.
    struct Segment {
        bool anyNames = false;
        std::vector<NameElement> glob;  // case-folded
    };

    String text_;
    std::vector<Segment> segments_;
    bool foldersOnly_ = false;
};

// The first of `patterns` that matches, or null.
const PathPattern* FirstMatch(const std::vector<PathPattern>& patterns, const String& path, bool isFolder);

}  // namespace linkloom
