#include "platform/win32/StringResource.h"

namespace linkloom::platform {

String LoadStringResource(HMODULE module, unsigned id) {
    // With a length of 0 LoadStringW hands out a pointer to the read-only resource itself.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module, id, reinterpret_cast<wchar_t*>(&text), 0);
    if (length <= 0 || !text) return String();
    return String(std::u16string_view(reinterpret_cast<const char16_t*>(text), static_cast<std::size_t>(length)));
}

}  // namespace linkloom::platform
