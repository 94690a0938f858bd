#pragma once

#include <windows.h>

namespace linkloom {

// A BUTTON or STATIC child of `parent` in `rect` (parent's client coordinates) with the
// control id `id`; null on failure.
HWND CreateButtonChild(HWND parent, const RECT& rect, const wchar_t* text, DWORD style, DWORD exStyle, UINT id,
                       void* parameter = nullptr);
HWND CreateStaticChild(HWND parent, const RECT& rect, const wchar_t* text, DWORD style, DWORD exStyle, UINT id,
                       void* parameter = nullptr);

}  // namespace linkloom
