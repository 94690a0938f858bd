#pragma once

#include "base/String.h"

namespace linkloom::platform {

// Case-insensitive comparison as the system's file names and extensions compare: <0, 0 or >0.
int CompareNoCase(const String& left, const String& right);

// One code unit as CompareNoCase sees it, folded to one letter case.
char16_t FoldCase(char16_t unit);

// True when `text` holds `part` anywhere, compared without regard to case.
bool ContainsNoCase(const String& text, const String& part);

}  // namespace linkloom::platform
