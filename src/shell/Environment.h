#pragma once

#include "base/String.h"

namespace linkloom {

// Expands the environment variables of a text that holds a '%'. True when the text was
// replaced by its expansion; false, and the text unchanged, when it holds no '%' or the
// expansion fails or does not fit a path-sized buffer.
bool ExpandEnvironment(String& text);

}  // namespace linkloom
