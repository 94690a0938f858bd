#include "core/lastmod/PathNumbers.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace linkloom {

namespace {

constexpr std::size_t kFirstSlots = 1024;
constexpr unsigned kHalf = 32;
constexpr std::uint64_t kLowHalf = 0xFFFFFFFF;

std::uint64_t HashOf(std::string_view path) { return XXH3_64bits(path.data(), path.size()); }

std::uint64_t SlotValue(std::uint64_t hash, std::uint32_t number) { return (hash >> kHalf << kHalf) | (number + 1); }

}  // namespace

std::string_view PathNumbers::PathOf(std::uint64_t slot) const {
    const Span& span = spans_[(slot & kLowHalf) - 1];
    return std::string_view(text_).substr(span.at, span.size);
}

std::string_view PathNumbers::PathNumbered(std::uint32_t number) const {
    const Span& span = spans_[number];
    return std::string_view(text_).substr(span.at, span.size);
}

std::size_t PathNumbers::SlotOf(std::string_view path, std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    const std::uint64_t high = hash >> kHalf << kHalf;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t taken = slots_[slot];
        if (taken == 0 || ((taken & ~kLowHalf) == high && PathOf(taken) == path)) return slot;
    }
}

std::pair<std::uint32_t, bool> PathNumbers::Add(std::string_view path) {
    // At most half full, so that probes stay short.
    if ((spans_.size() + 1) * 2 > slots_.size()) Grow();
    const std::uint64_t hash = HashOf(path);
    const std::size_t slot = SlotOf(path, hash);
    if (slots_[slot] != 0) return {static_cast<std::uint32_t>((slots_[slot] & kLowHalf) - 1), false};
    const auto number = static_cast<std::uint32_t>(spans_.size());
    spans_.push_back({text_.size(), path.size(), hash});
    text_.append(path);
    slots_[slot] = SlotValue(hash, number);
    return {number, true};
}

std::uint32_t PathNumbers::Find(std::string_view path) const {
    const std::uint32_t next = lastFound_ + 1;  // 0 after none
    if (next < spans_.size() && PathNumbered(next) == path) return lastFound_ = next;
    if (slots_.empty()) return kNone;
    const std::uint64_t taken = slots_[SlotOf(path, HashOf(path))];
    if (taken == 0) return kNone;
    return lastFound_ = static_cast<std::uint32_t>((taken & kLowHalf) - 1);
}

void PathNumbers::Grow() {
    slots_.assign(slots_.empty() ? kFirstSlots : slots_.size() * 2, 0);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t number = 0; number < spans_.size(); ++number) {
        const std::uint64_t hash = spans_[number].hash;
        std::size_t slot = hash & mask;
        while (slots_[slot] != 0) slot = (slot + 1) & mask;
        slots_[slot] = SlotValue(hash, static_cast<std::uint32_t>(number));
    }
}

}  // namespace linkloom
