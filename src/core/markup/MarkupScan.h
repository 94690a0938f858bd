#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

#include "base/AsciiCharacters.h"
#include "base/TextScan.h"

namespace linkloom {

// Moves over HTML text as a browser reads its tags, in UTF-16 code units or in the bytes of text
// whose encoding keeps ASCII bytes for ASCII characters alone (UTF-8, 8-bit code pages): there
// every character that shapes the markup is one ASCII unit, so both give the same places.

constexpr std::size_t kNoPlace = std::string_view::npos;

// Where the ASCII `unit` first stands at or after `from`, or kNoPlace.
inline std::size_t FindUnitFrom(const unsigned char* text, std::size_t size, std::size_t from, char16_t unit) {
    if (from >= size) return kNoPlace;
    const void* found = std::memchr(text + from, unit, size - from);
    return found ? static_cast<std::size_t>(static_cast<const unsigned char*>(found) - text) : kNoPlace;
}
inline std::size_t FindUnitFrom(const char16_t* text, std::size_t size, std::size_t from, char16_t unit) {
    if (from >= size) return kNoPlace;
    const std::size_t at = FindUnit(text + from, size - from, unit);
    return at == kNoPlace ? kNoPlace : from + at;
}

// Where the ASCII `word` (in lower case) first stands at or after `from`, its letters in either
// case, or kNoPlace.
template <typename Unit>
std::size_t FindWordFrom(const Unit* text, std::size_t size, std::size_t from, std::string_view word) {
    if (from >= size) return kNoPlace;
    const std::size_t at = FindAsciiNoCase(text + from, size - from, word);
    return at == kNoPlace ? kNoPlace : from + at;
}

// True when the `count` units at `text` are the ASCII `lower` with its letters in either case.
template <typename Unit>
bool UnitsAreNoCase(const Unit* text, std::size_t count, std::string_view lower) {
    if (count != lower.size()) return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (AsciiLower(text[i]) != static_cast<unsigned char>(lower[i])) return false;
    }
    return true;
}

// The characters that end a start tag's names and values, as bits.
enum TagStop : unsigned char { kStopBlank = 1, kStopClose = 2, kStopSlash = 4, kStopEquals = 8 };

// Indexed by any byte, so that a byte is looked up without a test.
struct TagStops {
    unsigned char of[256];
    constexpr TagStops() : of() {
        for (const unsigned char blank : {' ', '\t', '\n', '\r', '\f'}) of[blank] = kStopBlank;
        of[static_cast<unsigned char>('>')] = kStopClose;
        of[static_cast<unsigned char>('/')] = kStopSlash;
        of[static_cast<unsigned char>('=')] = kStopEquals;
    }
};
inline constexpr TagStops kTagStops;

// The stops `unit` is among; one look-up where a loop would test each.
inline unsigned StopsOf(unsigned char unit) { return kTagStops.of[unit]; }
inline unsigned StopsOf(char16_t unit) { return unit < 128 ? kTagStops.of[unit] : 0; }

// The index of the first unit at or after `at` that is among `stops`, or `size`.
template <typename Unit>
std::size_t RunUntil(const Unit* text, std::size_t size, std::size_t at, unsigned stops) {
    while (at < size && !(StopsOf(text[at]) & stops)) ++at;
    return at;
}

// The index of the first unit at or after `at` that is not among `stops`, or `size`.
template <typename Unit>
std::size_t RunWhile(const Unit* text, std::size_t size, std::size_t at, unsigned stops) {
    while (at < size && (StopsOf(text[at]) & stops)) ++at;
    return at;
}

// The '<' of the next start tag at or after `at`, or kNoPlace: comments, declarations,
// processing instructions, end tags and a '<' that opens nothing are passed over.
template <typename Unit>
std::size_t NextStartTag(const Unit* text, std::size_t size, std::size_t at) {
    for (at = FindUnitFrom(text, size, at, u'<'); at != kNoPlace; at = FindUnitFrom(text, size, at, u'<')) {
        if (size - at >= 4 && text[at + 1] == '!' && text[at + 2] == '-' && text[at + 3] == '-') {
            const std::size_t end = FindWordFrom(text, size, at + 4, "-->");
            at = end == kNoPlace ? kNoPlace : end + 3;
        } else if (at + 1 < size && IsAsciiLetter(text[at + 1])) {
            return at;
        } else if (at + 1 < size && (text[at + 1] == '!' || text[at + 1] == '?' || text[at + 1] == '/')) {
            const std::size_t end = FindUnitFrom(text, size, at, u'>');
            at = end == kNoPlace ? kNoPlace : end + 1;
        } else {
            ++at;
        }
    }
    return kNoPlace;
}

// Where the name of the start tag whose '<' stands at `at` ends.
template <typename Unit>
std::size_t TagNameEnd(const Unit* text, std::size_t size, std::size_t at) {
    return RunUntil(text, size, at + 1, kStopBlank | kStopClose | kStopSlash);
}

// One part of a start tag after its name: an attribute, with its name and its value (between
// any quotes) as places in the text, the tag's '>', or the text ending first.
struct TagPart {
    enum class Kind { Attribute, End, Cut };
    Kind kind = Kind::Cut;
    std::size_t next = kNoPlace;  // where the next part is looked for (after the '>' at the end)
    std::size_t nameStart = 0, nameEnd = 0;
    std::size_t valueStart = 0, valueEnd = 0;  // equal when there is no value
};

// The part of a start tag at or after `at`.
template <typename Unit>
inline TagPart ReadTagPart(const Unit* text, std::size_t size, std::size_t at) {
    TagPart part;
    std::size_t i = RunWhile(text, size, at, kStopBlank | kStopSlash);
    if (i >= size) return part;
    if (text[i] == '>') {
        part.kind = TagPart::Kind::End;
        part.next = i + 1;
        return part;
    }
    part.nameStart = i;
    // An '=' where a name starts is the name's first character, as a browser reads it.
    const std::size_t rest = text[i] == '=' ? i + 1 : i;
    i = RunUntil(text, size, rest, kStopBlank | kStopClose | kStopSlash | kStopEquals);
    part.nameEnd = part.valueStart = part.valueEnd = i;
    i = RunWhile(text, size, i, kStopBlank);
    if (i < size && text[i] == '=') {
        i = RunWhile(text, size, i + 1, kStopBlank);
        if (i >= size) return part;
        if (text[i] == '"' || text[i] == '\'') {
            const std::size_t close = FindUnitFrom(text, size, i + 1, text[i]);
            if (close == kNoPlace) return part;
            part.valueStart = i + 1;
            part.valueEnd = close;
            i = close + 1;
        } else {
            part.valueStart = i;
            i = part.valueEnd = RunUntil(text, size, i, kStopBlank | kStopClose);
        }
    }
    part.kind = TagPart::Kind::Attribute;
    part.next = i;
    return part;
}

}  // namespace linkloom
