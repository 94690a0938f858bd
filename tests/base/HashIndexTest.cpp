#include <gtest/gtest.h>

#include <cstdint>

#include "base/HashIndex.h"

namespace linkloom {
namespace {

TEST(HashIndex, TellsValuesOfOneHashApartByTheirKeysAsItGrows) {
    HashIndex<std::uint32_t> index;
    const auto hashOf = [](std::uint32_t key) -> std::uint64_t { return key % 3 == 0 ? 0 : key * 0x9E3779B97F4A7C15u; };
    constexpr std::uint32_t kValues = 5000;  // past several growths; a third of them hash to zero
    for (std::uint32_t key = 0; key < kValues; ++key) index.Insert(hashOf(key), key);
    for (std::uint32_t key = 0; key < kValues; ++key) {
        const std::uint32_t* found = index.Find(hashOf(key), [&](std::uint32_t value) { return value == key; });
        ASSERT_TRUE(found);
        EXPECT_EQ(*found, key);
    }
    EXPECT_FALSE(index.Find(hashOf(3), [](std::uint32_t value) { return value == kValues; }));
    EXPECT_FALSE(index.Find(2, [](std::uint32_t) { return true; }));
}

}  // namespace
}  // namespace linkloom
