#include "platform/TextCompare.h"

#include <windows.h>
#include <shlwapi.h>

namespace linkloom::platform {

int CompareNoCase(const String& left, const String& right) { return lstrcmpiW(left.Wide(), right.Wide()); }

bool ContainsNoCase(const String& text, const String& part) {
    return StrStrIW(text.Wide(), part.Wide()) != nullptr;
}

}  // namespace linkloom::platform
