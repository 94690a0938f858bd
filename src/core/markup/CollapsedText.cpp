#include "core/markup/CollapsedText.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/AsciiCharacters.h"

namespace linkloom {

namespace {

#if defined(__SSE2__)
constexpr int kChunk = 16;
constexpr unsigned kFirstByte = 1;
constexpr unsigned kLastByte = 1u << (kChunk - 1);

// The HTML blanks of a chunk, as a byte mask.
__m128i Blanks(__m128i bytes) {
    const auto is = [bytes](char c) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)); };
    return _mm_or_si128(_mm_or_si128(_mm_or_si128(is(' '), is('\n')), _mm_or_si128(is('\t'), is('\r'))), is('\f'));
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
    // Most text has words apart by single blanks: a chunk where no blank follows another, nor a
    // pending space, takes them as spaces where they are.
    const __m128i space = _mm_set1_epi8(' ');
    for (; to - from >= kChunk; from += kChunk) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        // Most blanks are spaces, which stay as they are: the other blanks are sought only among
        // bytes below a space.
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, space)));
        __m128i written = bytes;
        if (static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(bytes, space), bytes))) != mask) {
            const __m128i blanks = Blanks(bytes);
            mask = static_cast<unsigned>(_mm_movemask_epi8(blanks));
            written = _mm_or_si128(_mm_andnot_si128(blanks, bytes), _mm_and_si128(blanks, space));
        }
        const bool alone = (mask & (mask << 1)) == 0;
        const bool firstFits = !(mask & kFirstByte) || (!pending && out != start);
        if (!alone || !firstFits) {
            out = CollapseBytes(from, from + kChunk, out, pending, start);
            continue;
        }
        if (pending) *out++ = ' ';
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), written);
        // A blank at the end waits for what follows it.
        pending = mask & kLastByte;
        out += pending ? kChunk - 1 : kChunk;
    }
#endif
    return CollapseBytes(from, to, out, pending, start);
}

}  // namespace linkloom
