#pragma once

#include <cstddef>
#include <string_view>

namespace linkloom {

// One named character reference: its name after '&' (with its ';' where it has one) and the one
// or two code points it stands for (the second 0 when there is one).
struct NamedReference {
    std::string_view name;
    char32_t first;
    char32_t second;
};

// Sorted by the bytes of their names.
extern const NamedReference kNamedReferences[];
extern const std::size_t kNamedReferenceCount;

}  // namespace linkloom
