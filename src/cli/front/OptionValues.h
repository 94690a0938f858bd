#pragma once

#include "base/String.h"

namespace linkloom::cli {

// A decimal number from `least` to `most`.
bool ParseNumber(const String& text, unsigned long long least, unsigned long long most, unsigned long long& value);

}  // namespace linkloom::cli
