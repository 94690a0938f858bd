#include "core/rules/LocationHash.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace linkloom {

std::uint64_t HashLocation(std::u16string_view location) {
    return XXH3_64bits(location.data(), location.size() * sizeof(char16_t));
}

}  // namespace linkloom
