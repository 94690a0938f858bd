#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace linkloom {

// Scans over the bytes and code units of page text, sixteen bytes at a time where the processor
// allows: the content test looks at every page's head, so these loops are most of its work.

// The length of the run of ASCII bytes (top bit clear) that `bytes` starts with.
std::size_t AsciiRun(const unsigned char* bytes, std::size_t count);

// Copies the run of ASCII bytes that `bytes` starts with into `out` as UTF-16 code units, and
// returns its length: the common part of decoding 8-bit and UTF-8 text.
std::size_t WidenAsciiRun(const unsigned char* bytes, std::size_t count, char16_t* out);

// The index of the first byte below `limit` (at most 0x80), or `count` when there is none.
std::size_t FindByteBelow(const unsigned char* bytes, std::size_t count, unsigned char limit);

// How many bytes are not UTF-8 continuation bytes (10xxxxxx): whatever the bytes, UTF-8 decoding
// makes at least as many code units of them.
std::size_t CountUtf8Starts(const unsigned char* bytes, std::size_t count);

// True when the bytes have the shape of UTF-8 as the encoding guess sees it: each continuation
// byte (10xxxxxx) follows a lead byte (11xxxxxx) or another continuation byte, at most five of
// them after a lead, and each lead byte is followed by a continuation byte unless it is the last.
bool HasUtf8Shape(const unsigned char* bytes, std::size_t count);

// Where the ASCII `word` (in lower case, at least one character) first stands, its letters in
// either case, or npos.
std::size_t FindAsciiNoCase(const unsigned char* bytes, std::size_t count, std::string_view word);
std::size_t FindAsciiNoCase(const char16_t* units, std::size_t count, std::string_view word);

// Where the first byte that is `a` or `b` stands, or `count` when there is none. Inline: a page's
// tokenizer calls it for each run of text, most of them a few bytes long.
inline std::size_t FindEitherByte(const char* bytes, std::size_t count, char a, char b) {
    std::size_t at = 0;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(a);
    const __m128i second = _mm_set1_epi8(b);
    for (; at + 16 <= count; at += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        const unsigned found = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, first), _mm_cmpeq_epi8(chunk, second))));
        if (found) return at + static_cast<std::size_t>(__builtin_ctz(found));
    }
#endif
    while (at < count && bytes[at] != a && bytes[at] != b) ++at;
    return at;
}

// Where `unit` first stands in the units, or npos; many units at a time where the processor can.
std::size_t FindUnit(const char16_t* units, std::size_t count, char16_t unit);

// Finds, in order, each '<' whose next character is one of a few (lower-case letters match in
// either case; some other characters after a '<' may match too, so callers check what they find):
// the few tags a scan looks for among many. 64 code units are tested at a time with no branch per
// '<', which would be mispredicted in tag-dense text, and what a test found serves the calls after.
template <typename Unit>
class TagOpenings {
public:
    static constexpr std::size_t npos = std::string_view::npos;

    // `next` holds one to four characters.
    TagOpenings(const Unit* text, std::size_t count, std::string_view next) : text_(text), count_(count) {
        for (std::size_t i = 0; i < kLanes; ++i) next_[i] = next[std::min(i, next.size() - 1)];
#if defined(__SSE2__)
        for (std::size_t i = 0; i < kLanes; ++i) lanes_[i] = Fill(next_[i]);
#endif
    }

    // The first at or after `from`, or npos.
    std::size_t NextFrom(std::size_t from) {
        if (from >= count_) return npos;
        const std::size_t block = from - from % kBlock;
        if (block != block_) {
            block_ = block;
            mask_ = BlockMask(block);
        }
        std::uint64_t mask = mask_ & (~std::uint64_t{0} << (from - block));
        while (mask == 0) {
            block_ += kBlock;
            if (block_ >= count_) return npos;
            mask = mask_ = BlockMask(block_);
        }
        return block_ + static_cast<std::size_t>(__builtin_ctzll(mask));
    }

private:
    static constexpr std::size_t kBlock = 64;
    static constexpr std::size_t kLanes = 4;

    bool Opens(std::size_t at) const {
        if (text_[at] != '<' || at + 1 >= count_) return false;
        const auto next = text_[at + 1] | 0x20;
        return next == next_[0] || next == next_[1] || next == next_[2] || next == next_[3];
    }

    // Bit i set when the unit at `block` + i opens such a tag.
    std::uint64_t BlockMask(std::size_t block) const {
#if defined(__SSE2__)
        // The last test reads one unit past its 64.
        if (block + kBlock < count_) return WideMask(text_ + block);
#endif
        std::uint64_t mask = 0;
        const std::size_t end = std::min(count_ - block, kBlock);
        for (std::size_t i = 0; i < end; ++i) mask |= std::uint64_t{Opens(block + i)} << i;
        return mask;
    }

#if defined(__SSE2__)
    static __m128i Fill(char unit) { return sizeof(Unit) == 1 ? _mm_set1_epi8(unit) : _mm_set1_epi16(unit); }
    static __m128i Equal(__m128i a, __m128i b) {
        return sizeof(Unit) == 1 ? _mm_cmpeq_epi8(a, b) : _mm_cmpeq_epi16(a, b);
    }
    static __m128i Load(const Unit* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }

    // The lanes of the sixteen bytes at `at` that open such a tag, 0 or -1 each.
    __m128i Found(const Unit* at) const {
        const __m128i after = _mm_or_si128(Load(at + 1), Fill(0x20));
        __m128i among = Equal(after, lanes_[0]);
        for (std::size_t i = 1; i < kLanes; ++i) among = _mm_or_si128(among, Equal(after, lanes_[i]));
        return _mm_and_si128(Equal(Load(at), Fill('<')), among);
    }

    std::uint64_t WideMask(const Unit* at) const {
        std::uint64_t mask = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            __m128i found;
            if constexpr (sizeof(Unit) == 1) {
                found = Found(at + 16 * i);
            } else {
                // A unit's 0 or -1 packs to a byte of the same.
                found = _mm_packs_epi16(Found(at + 16 * i), Found(at + 16 * i + 8));
            }
            mask |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(found))} << (16 * i);
        }
        return mask;
    }

    __m128i lanes_[kLanes];
#endif

    const Unit* text_;
    std::size_t count_;
    char next_[kLanes];
    std::size_t block_ = npos;
    std::uint64_t mask_ = 0;
};

}  // namespace linkloom
