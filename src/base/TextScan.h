#pragma once

#include <cstddef>
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

// Where the first '<' stands whose next character is one of `next` (at most four; lower-case
// letters match in either case), or npos: the few tags a scan looks for among many. Some other characters after a
// '<' may match too, so callers check what they find.
std::size_t FindTagOpening(const unsigned char* bytes, std::size_t count, std::string_view next);
std::size_t FindTagOpening(const char16_t* units, std::size_t count, std::string_view next);

}  // namespace linkloom
