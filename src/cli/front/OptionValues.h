#pragma once

#include "base/String.h"
#include "core/lastmod/LastmodSource.h"

namespace linkloom::cli {

// A decimal number from `least` to `most`.
bool ParseNumber(const String& text, unsigned long long least, unsigned long long most, unsigned long long& value);

// The sources of "--lastmod git,mtime": each once, "none" only last.
bool ParseLastmodSources(const String& text, LastmodOrder& order, String& error);

}  // namespace linkloom::cli
