#pragma once

#include <cstdint>
#include <string_view>

namespace linkloom {

// The 64-bit hash (XXH3) by which locations are filed where only hashes are held in memory.
std::uint64_t HashLocation(std::u16string_view location);

}  // namespace linkloom
