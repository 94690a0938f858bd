#include "controls/ChildWindows.h"

namespace linkloom {

namespace {

HWND CreateChild(const wchar_t* className, HWND parent, const RECT& rect, const wchar_t* text, DWORD style,
                 DWORD exStyle, UINT id, void* parameter) {
    return CreateWindowExW(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                           GetModuleHandleW(nullptr), parameter);
}

}  // namespace

HWND CreateButtonChild(HWND parent, const RECT& rect, const wchar_t* text, DWORD style, DWORD exStyle, UINT id,
                       void* parameter) {
    return CreateChild(L"BUTTON", parent, rect, text, style, exStyle, id, parameter);
}

HWND CreateStaticChild(HWND parent, const RECT& rect, const wchar_t* text, DWORD style, DWORD exStyle, UINT id,
                       void* parameter) {
    return CreateChild(L"STATIC", parent, rect, text, style, exStyle, id, parameter);
}

}  // namespace linkloom
