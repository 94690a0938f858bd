#pragma once

#include <ostream>

#include "base/String.h"

namespace linkloom {

// Lets GoogleTest show a String as text in failure messages.
inline void PrintTo(const String& text, std::ostream* out) { *out << '"' << text.ToUtf8() << '"'; }

}  // namespace linkloom
