#include "base/TextScan.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "base/AsciiCharacters.h"

namespace linkloom {

namespace {

template <typename Unit>
bool MatchesAt(const Unit* text, std::string_view word) {
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (AsciiLower(text[i]) != static_cast<unsigned char>(word[i])) return false;
    }
    return true;
}

// The plain search, for what the wide loops leave and for processors without them.
template <typename Unit>
std::size_t FindFrom(const Unit* text, std::size_t count, std::string_view word, std::size_t from) {
    for (std::size_t at = from; at + word.size() <= count; ++at) {
        if (MatchesAt(text + at, word)) return at;
    }
    return std::string_view::npos;
}

#ifdef __SSE2__
// Setting bit 5 turns an upper-case letter into its lower case (and some other characters into
// others, which the full comparison then turns away).
const __m128i kCaseBit8 = _mm_set1_epi8(0x20);
const __m128i kCaseBit16 = _mm_set1_epi16(0x20);

unsigned Mask(__m128i bytes) { return static_cast<unsigned>(_mm_movemask_epi8(bytes)); }

int LowestBit(unsigned mask) { return __builtin_ctz(mask); }
#endif

}  // namespace

std::size_t AsciiRun(const unsigned char* bytes, std::size_t count) {
    std::size_t at = 0;
#ifdef __SSE2__
    for (; at + 16 <= count; at += 16) {
        const unsigned high = Mask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at)));
        if (high) return at + LowestBit(high);
    }
#endif
    while (at < count && bytes[at] < 0x80) ++at;
    return at;
}

std::size_t WidenAsciiRun(const unsigned char* bytes, std::size_t count, char16_t* out) {
    std::size_t at = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    for (; at + 16 <= count; at += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        const unsigned high = Mask(chunk);
        if (high) break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), _mm_unpacklo_epi8(chunk, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at + 8), _mm_unpackhi_epi8(chunk, zero));
    }
#endif
    for (; at < count && bytes[at] < 0x80; ++at) out[at] = bytes[at];
    return at;
}

std::size_t FindByteBelow(const unsigned char* bytes, std::size_t count, unsigned char limit) {
    std::size_t at = 0;
#ifdef __SSE2__
    // Signed comparison after flipping the top bit compares unsigned bytes.
    const __m128i flip = _mm_set1_epi8(static_cast<char>(0x80));
    const __m128i bound = _mm_xor_si128(_mm_set1_epi8(static_cast<char>(limit)), flip);
    for (; at + 16 <= count; at += 16) {
        const __m128i chunk = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at)), flip);
        const unsigned below = Mask(_mm_cmplt_epi8(chunk, bound));
        if (below) return at + LowestBit(below);
    }
#endif
    while (at < count && bytes[at] >= limit) ++at;
    return at;
}

std::size_t CountUtf8Starts(const unsigned char* bytes, std::size_t count) {
    std::size_t starts = 0, at = 0;
#ifdef __SSE2__
    // As signed bytes, continuation bytes are -128 to -65 and every other byte is greater. Each
    // lane counts its starts (a true comparison is -1) for up to 255 rounds, then the lanes are summed.
    const __m128i lastContinuation = _mm_set1_epi8(-65);
    while (at + 16 <= count) {
        __m128i lanes = _mm_setzero_si128();
        for (int round = 0; round < 255 && at + 16 <= count; ++round, at += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
            lanes = _mm_sub_epi8(lanes, _mm_cmpgt_epi8(chunk, lastContinuation));
        }
        const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
        starts += static_cast<std::size_t>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
    }
#endif
    for (; at < count; ++at) starts += (bytes[at] & 0xC0) != 0x80;
    return starts;
}

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }
bool IsLead(unsigned char byte) { return byte >= 0xC0; }

// Whether the byte at `at` breaks the shape, given the bytes before it.
bool BreaksUtf8Shape(const unsigned char* bytes, std::size_t at) {
    if (IsContinuation(bytes[at])) {
        if (at == 0 || bytes[at - 1] < 0x80) return true;
        if (at >= 5) {
            bool run = true;
            for (std::size_t back = 1; back <= 5 && run; ++back) run = IsContinuation(bytes[at - back]);
            if (run) return true;
        }
        return false;
    }
    return at > 0 && IsLead(bytes[at - 1]);
}

}  // namespace

bool HasUtf8Shape(const unsigned char* bytes, std::size_t count) {
    std::size_t at = 0;
#ifdef __SSE2__
    // Each byte is judged with the five before it, sixteen at a time: as signed bytes ASCII is
    // 0 to 127, continuation bytes -128 to -65 and lead bytes -64 to -1.
    for (; at < 5 && at < count; ++at) {
        if (BreaksUtf8Shape(bytes, at)) return false;
    }
    const __m128i belowLead = _mm_set1_epi8(-64);
    const __m128i belowZero = _mm_set1_epi8(-1);
    const auto load = [bytes](std::size_t from) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + from));
    };
    const auto continuation = [&](__m128i chunk) { return _mm_cmplt_epi8(chunk, belowLead); };
    for (; at + 16 <= count; at += 16) {
        const __m128i here = load(at), before = load(at - 1);
        const __m128i isContinuation = continuation(here);
        const __m128i afterAscii = _mm_cmpgt_epi8(before, belowZero);
        const __m128i afterLead = _mm_andnot_si128(continuation(before), _mm_cmplt_epi8(before, _mm_setzero_si128()));
        __m128i sixth = isContinuation;
        for (std::size_t back = 1; back <= 5; ++back) sixth = _mm_and_si128(sixth, continuation(load(at - back)));
        const __m128i broken = _mm_or_si128(_mm_or_si128(_mm_and_si128(isContinuation, afterAscii), sixth),
                                            _mm_andnot_si128(isContinuation, afterLead));
        if (Mask(broken)) return false;
    }
#endif
    for (; at < count; ++at) {
        if (BreaksUtf8Shape(bytes, at)) return false;
    }
    return true;
}

std::size_t FindAsciiNoCase(const unsigned char* bytes, std::size_t count, std::string_view word) {
    std::size_t at = 0;
#ifdef __SSE2__
    // Places where the word's first and last characters both stand are checked in full.
    const std::size_t last = word.size() - 1;
    const __m128i first = _mm_set1_epi8(static_cast<char>(word.front() | 0x20));
    const __m128i final = _mm_set1_epi8(static_cast<char>(word.back() | 0x20));
    for (; at + last + 16 <= count; at += 16) {
        const __m128i head = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at)), kCaseBit8);
        const __m128i tail =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + last)), kCaseBit8);
        for (unsigned both = Mask(_mm_and_si128(_mm_cmpeq_epi8(head, first), _mm_cmpeq_epi8(tail, final))); both;
             both &= both - 1) {
            const std::size_t candidate = at + LowestBit(both);
            if (MatchesAt(bytes + candidate, word)) return candidate;
        }
    }
#endif
    return FindFrom(bytes, count, word, at);
}

std::size_t FindAsciiNoCase(const char16_t* units, std::size_t count, std::string_view word) {
    std::size_t at = 0;
#ifdef __SSE2__
    const std::size_t last = word.size() - 1;
    const __m128i first = _mm_set1_epi16(static_cast<short>(word.front() | 0x20));
    const __m128i final = _mm_set1_epi16(static_cast<short>(word.back() | 0x20));
    for (; at + last + 8 <= count; at += 8) {
        const __m128i head = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at)), kCaseBit16);
        const __m128i tail =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at + last)), kCaseBit16);
        // Two mask bits a unit; the lower one stands for it.
        for (unsigned both = Mask(_mm_and_si128(_mm_cmpeq_epi16(head, first), _mm_cmpeq_epi16(tail, final))) & 0x5555;
             both; both &= both - 1) {
            const std::size_t candidate = at + LowestBit(both) / 2;
            if (MatchesAt(units + candidate, word)) return candidate;
        }
    }
#endif
    return FindFrom(units, count, word, at);
}

std::size_t FindUnit(const char16_t* units, std::size_t count, char16_t unit) {
    std::size_t at = 0;
#ifdef __SSE2__
    const __m128i wanted = _mm_set1_epi16(static_cast<short>(unit));
    for (; at + 8 <= count; at += 8) {
        const unsigned found =
            Mask(_mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at)), wanted));
        if (found) return at + LowestBit(found) / 2;
    }
#endif
    for (; at < count; ++at) {
        if (units[at] == unit) return at;
    }
    return std::u16string_view::npos;
}

}  // namespace linkloom
