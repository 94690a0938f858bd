#pragma once

#include <initializer_list>
#include <vector>

#include "base/String.h"

namespace linkloom {

// The items of an extension list text; an empty list matches nothing.
class NameList {
public:
    NameList() = default;
    NameList(std::initializer_list<const char16_t*> items) : items_(items.begin(), items.end()) {}

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
