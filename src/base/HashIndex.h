#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace linkloom {

// Values filed by a 64-bit hash of a key held elsewhere, in one flat table of open addressing
// (12 bytes a place for a 32-bit value, a quarter to three quarters of the places used), with no
// allocation per value. Values may share a hash: the caller tells them apart by their keys.
template <typename Value>
class HashIndex {
public:
    void Insert(std::uint64_t hash, Value value) {
        if ((count_ + 1) * 4 > hashes_.size() * 3) Grow();
        Place(Stored(hash), value);
        ++count_;
    }

    // The first value filed under `hash` for which `matches(value)` holds, or null.
    template <typename Matches>
    Value* Find(std::uint64_t hash, Matches&& matches) {
        if (hashes_.empty()) return nullptr;
        hash = Stored(hash);
        for (std::size_t at = hash & Mask(); hashes_[at] != kEmpty; at = (at + 1) & Mask()) {
            if (hashes_[at] == hash && matches(values_[at])) return &values_[at];
        }
        return nullptr;
    }

private:
    static constexpr std::uint64_t kEmpty = 0;
    static constexpr std::size_t kFirstSize = 1024;

    // Zero marks an empty place, so a hash of zero is filed as one.
    static std::uint64_t Stored(std::uint64_t hash) { return hash == kEmpty ? 1 : hash; }
    std::size_t Mask() const { return hashes_.size() - 1; }

    void Place(std::uint64_t hash, Value value) {
        std::size_t at = hash & Mask();
        while (hashes_[at] != kEmpty) at = (at + 1) & Mask();
        hashes_[at] = hash;
        values_[at] = value;
    }

    void Grow() {
        std::vector<std::uint64_t> hashes = std::move(hashes_);
        std::vector<Value> values = std::move(values_);
        hashes_.assign(hashes.empty() ? kFirstSize : hashes.size() * 2, kEmpty);
        values_.resize(hashes_.size());
        for (std::size_t i = 0; i < hashes.size(); ++i) {
            if (hashes[i] != kEmpty) Place(hashes[i], values[i]);
        }
    }

    std::vector<std::uint64_t> hashes_;  // a power of two of them, at most three quarters used
    std::vector<Value> values_;
    std::size_t count_ = 0;
};

}  // namespace linkloom
