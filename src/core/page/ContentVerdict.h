#pragma once

#include <cstddef>
#include <string_view>

#include "core/model/SelectionOptions.h"

namespace linkloom {

enum class PageVerdict { Keep, Noindex, NoDoctype, Unreadable };

// The characters of a page's head that the content test looks at.
constexpr std::size_t kHeadLength = 4096;

// Looks at the first characters of a page for "noindex" (with excludeNoindex) and "!DOCTYPE"
// (with requireDoctype), without regard to case.
PageVerdict ContentVerdict(std::u16string_view head, const SelectionOptions& options);

// The same test on the bytes of 8-bit or UTF-8 text (after any mark), for a system whose case
// folding leaves ASCII letters to themselves: the words are ASCII, so they stand in the bytes as
// in the text, and only a match must be placed among the first characters. `bytes` holds at
// least those characters' bytes where the text has them (see HeadBytes).
PageVerdict ContentVerdict(const unsigned char* bytes, std::size_t count, bool utf8, const SelectionOptions& options);

// How many bytes of 8-bit or UTF-8 text to have at hand for its first characters, given the first
// `count` bytes (a whole block of UTF-8, or all there is): `count` when they hold them; otherwise
// what the missing characters take at the density of those at hand, never more than they can take
// (three bytes a character). A block makes at least as many characters as it has bytes that start one.
std::size_t HeadBytes(const unsigned char* bytes, std::size_t count, bool utf8);

}  // namespace linkloom
