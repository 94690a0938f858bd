#pragma once

#include <windows.h>

#include "base/String.h"

namespace linkloom::platform {

// A string-table entry of a module, read in place; empty when the module has none with this id.
String LoadStringResource(HMODULE module, unsigned id);

}  // namespace linkloom::platform
