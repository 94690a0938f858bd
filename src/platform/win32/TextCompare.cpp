#include "platform/TextCompare.h"

#include <windows.h>
#include <shlwapi.h>

namespace linkloom::platform {

int CompareNoCase(const String& left, const String& right) { return lstrcmpiW(left.Wide(), right.Wide()); }

char16_t FoldCase(char16_t unit) {
    // CharLowerW takes a single character in the low word of its argument.
    return static_cast<char16_t>(reinterpret_cast<ULONG_PTR>(CharLowerW(reinterpret_cast<LPWSTR>(ULONG_PTR{unit}))));
}

bool ContainsNoCase(std::u16string_view text, std::u16string_view part) {
    // StrStrIW takes terminated texts.
    const String whole(text), wanted(part);
    return StrStrIW(whole.Wide(), wanted.Wide()) != nullptr;
}

}  // namespace linkloom::platform
