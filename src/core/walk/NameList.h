#pragma once

#include <vector>

#include "base/String.h"

namespace linkloom {

// The items of an extension list text; an empty list matches nothing.
class NameList {
public:
    // Splits `text` at `separator`; empty items are never made and white space is cut from both
    // ends of each item. Returns whether the list holds at least one item.
    bool Parse(const String& text, char16_t separator);

    // True when some item equals `extension` without regard to case.
    bool Contains(const String& extension) const;
    const std::vector<String>& Items() const { return items_; }

private:
    std::vector<String> items_;
};

}  // namespace linkloom
