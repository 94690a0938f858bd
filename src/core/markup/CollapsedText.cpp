#include "core/markup/CollapsedText.h"

#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/AsciiCharacters.h"

namespace linkloom {

namespace {

#if defined(__SSE2__)
// Bytes read at a time, and bits of their blanks' mask.
constexpr std::size_t kChunk = 16;

// The HTML blanks of a chunk, as a byte mask.
__m128i Blanks(__m128i bytes) {
    const auto is = [bytes](char c) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)); };
    return _mm_or_si128(_mm_or_si128(_mm_or_si128(is(' '), is('\n')), _mm_or_si128(is('\t'), is('\r'))), is('\f'));
}

// Sixteen bytes of text: their blanks as bits, the first byte's lowest, and the bytes with each
// blank made a space.
struct Chunk {
    std::uint32_t blanks;
    __m128i written;
};

Chunk ChunkAt(const char* from) {
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    // Most blanks are spaces, which stay as they are: the other blanks are sought only among
    // bytes below a space.
    Chunk chunk{static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, space))), bytes};
    if (static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(bytes, space), bytes))) !=
        chunk.blanks) {
        const __m128i blanks = Blanks(bytes);
        chunk.blanks = static_cast<std::uint32_t>(_mm_movemask_epi8(blanks));
        chunk.written = _mm_or_si128(_mm_andnot_si128(blanks, bytes), _mm_and_si128(blanks, space));
    }
    return chunk;
}

// Whether text whose blanks are the bits of `blanks` is written as it is, its blanks as spaces:
// no blank follows another, and a blank first follows written text with no space pending.
bool AsItIs(std::uint32_t blanks, bool pending, bool written) {
    return (blanks & (blanks << 1)) == 0 && (!(blanks & 1) || (!pending && written));
}
#endif

// Collapses byte by byte; `start` is where the text starts.
char* CollapseBytes(const char* from, const char* to, char* out, bool& pending, const char* start) {
    for (; from < to; ++from) {
        const char c = *from;
        if (IsHtmlBlank(c)) {
            pending = out != start;
            continue;
        }
        if (pending) *out++ = ' ';
        pending = false;
        *out++ = c;
    }
    return out;
}

}  // namespace

void CollapsedText::Clear() {
    length_ = 0;
    verbatim_.clear();
    collapsed_ = false;
}

void CollapsedText::Grow(std::size_t count) { raw_.resize(std::max(2 * raw_.size(), length_ + count)); }

void CollapsedText::AppendVerbatim(std::string_view piece) {
    // A piece right after another is part of it: no space comes between them.
    if (verbatim_.empty() || verbatim_.back().second != length_) verbatim_.emplace_back(length_, length_);
    Append(piece);
    verbatim_.back().second = length_;
}

std::string_view CollapsedText::Text() {
    if (collapsed_) return {raw_.data(), length_};
    // Collapsing only shortens the text, so it is written over itself, front to back.
    char* const start = raw_.data();
    char* out = start;
    bool pending = false;
    std::size_t at = 0;
    for (const auto& [from, to] : verbatim_) {
        out = Collapse(start + at, start + from, out, pending);
        if (pending) *out++ = ' ';
        pending = false;
        std::memmove(out, start + from, to - from);
        out += to - from;
        at = to;
    }
    out = Collapse(start + at, start + length_, out, pending);
    length_ = out - start;
    collapsed_ = true;
    return {start, length_};
}

char* CollapsedText::Collapse(const char* from, const char* to, char* out, bool& pending) const {
    // A space is pending after white space once anything is written; it is written before the
    // next byte that is not white space.
    const char* const start = raw_.data();
#if defined(__SSE2__)
    // Most text has words apart by single blanks: chunks where no blank follows another, nor a
    // pending space, are written with their blanks as spaces where they are, two at a time where
    // both are.
    const auto write = [&](const Chunk* chunks, unsigned count, std::uint32_t blanks) {
        if (pending) *out++ = ' ';
        for (unsigned i = 0; i < count; ++i) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i * kChunk), chunks[i].written);
        }
        // A blank at the end waits for what follows it.
        pending = blanks >> (count * kChunk - 1);
        out += count * kChunk - pending;
    };
    while (static_cast<std::size_t>(to - from) >= kChunk) {
        Chunk chunks[2] = {ChunkAt(from)};
        if (static_cast<std::size_t>(to - from) >= 2 * kChunk) {
            chunks[1] = ChunkAt(from + kChunk);
            const std::uint32_t blanks = chunks[0].blanks | chunks[1].blanks << kChunk;
            if (AsItIs(blanks, pending, out != start)) {
                write(chunks, 2, blanks);
                from += 2 * kChunk;
                continue;
            }
        }
        if (AsItIs(chunks[0].blanks, pending, out != start)) {
            write(chunks, 1, chunks[0].blanks);
        } else {
            out = CollapseBytes(from, from + kChunk, out, pending, start);
        }
        from += kChunk;
    }
#endif
    return CollapseBytes(from, to, out, pending, start);
}

}  // namespace linkloom
