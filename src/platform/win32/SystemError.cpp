#include "platform/SystemError.h"

#include <windows.h>

namespace linkloom::platform {

String Describe(SystemError error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error.code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    String message = length ? String::FromWide(text) : String(u"error ") + String::FromInt(error.code);
    if (text) LocalFree(text);
    message.TrimRight();
    // The system's sentences end in a full stop; messages here do not.
    if (message.EndsWith(u'.')) message = message.Left(message.Length() - 1);
    return message;
}

}  // namespace linkloom::platform
