#pragma once

#include <windows.h>

#include <string>

#include "base/String.h"

namespace linkloom {

// The whole text of a window, however long; empty for a window without text or no window.
std::wstring WindowText(HWND window);
// The same text as the engine's String.
String WindowString(HWND window);

}  // namespace linkloom
