#pragma once

#include <windows.h>

#include <string>

namespace linkloom {

// The whole text of a window, however long; empty for a window without text or no window.
std::wstring WindowText(HWND window);

}  // namespace linkloom
