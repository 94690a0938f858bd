#pragma once

#include <cstddef>
#include <optional>

#include "base/String.h"
#include "platform/Outcome.h"
#include "platform/SystemError.h"

namespace linkloom::platform {

// `length` lower-case letters and digits from the system's source of random bytes, so that
// nobody can tell the name in advance; the source's failure when it fails.
Outcome<String> RandomName(std::size_t length);

// True for a character that RandomName uses.
bool IsRandomNameSymbol(char16_t unit);

// Fills `bytes` from that source; defined for each system.
std::optional<SystemError> RandomBytes(unsigned char* bytes, std::size_t size);

}  // namespace linkloom::platform
