#pragma once

#include <string_view>

#include "base/String.h"

namespace linkloom::platform {

// Case-insensitive comparison as the system's file names and extensions compare: <0, 0 or >0.
int CompareNoCase(const String& left, const String& right);

// One code unit as CompareNoCase sees it, folded to one letter case.
char16_t FoldCase(char16_t unit);

// True when no character outside ASCII folds to an ASCII letter: an ASCII part can then be looked
// for in the bytes of text whose encoding keeps ASCII as it is (8-bit code pages, UTF-8).
#ifdef _WIN32
constexpr bool kAsciiFoldsAlone = false;
#else
constexpr bool kAsciiFoldsAlone = true;
#endif

// True when `text` holds `part` anywhere, compared without regard to case.
bool ContainsNoCase(std::u16string_view text, std::u16string_view part);

}  // namespace linkloom::platform
