#pragma once

#include "base/String.h"

namespace linkloom {

// The short (8.3) form of an existing path, also of one of 260 units or more, with or without
// a long-path prefix; empty when the system gives none or it would need `room` units or more.
// A network path is walked one folder at a time through the current directory, which is
// restored before this returns.
String ShortPathOf(const String& path, std::size_t room);

}  // namespace linkloom
