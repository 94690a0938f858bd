#pragma once

#include <cstddef>

#include "base/String.h"

namespace linkloom::platform {

// `length` lower-case letters and digits from the system's source of random bytes, so that
// nobody can tell the name in advance; false with `error` set when the source fails.
bool RandomName(std::size_t length, String& name, String& error);

// True for a character that RandomName uses.
bool IsRandomNameSymbol(char16_t unit);

// Fills `bytes` from that source; defined for each system.
bool RandomBytes(unsigned char* bytes, std::size_t size, String& error);

}  // namespace linkloom::platform
