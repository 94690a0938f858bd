#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace linkloom {

// Numbers paths 0, 1, 2... in the order they are first added, in flat tables: the hundreds of
// thousands of paths a repository's history or index names are kept and found without an
// allocation for each.
class PathNumbers {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    // The path's number, and true when it was not added before.
    std::pair<std::uint32_t, bool> Add(std::string_view path);
    // The path's number; kNone when it was never added. Paths looked up in the order they were
    // added (a walk in the order git lists them) are found without a probe; not for use from
    // several threads at once.
    std::uint32_t Find(std::string_view path) const;

private:
    struct Span {
        std::size_t at;  // in text_
        std::size_t size;
        std::uint64_t hash;
    };
    // The slot that holds the path, or the empty one where it would go.
    std::size_t SlotOf(std::string_view path, std::uint64_t hash) const;
    void Grow();
    std::string_view PathOf(std::uint64_t slot) const;
    std::string_view PathNumbered(std::uint32_t number) const;

    std::string text_;
    std::vector<Span> spans_;
    // Open addressing, a power of two in size: each slot the high half of a path's hash above
    // its number plus one (so that most other paths are passed over unread), 0 when empty.
    std::vector<std::uint64_t> slots_;
    mutable std::uint32_t lastFound_ = kNone;
};

}  // namespace linkloom
