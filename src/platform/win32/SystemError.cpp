#include "platform/win32/SystemError.h"

namespace linkloom::platform {

String SystemReason(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    String message = length ? String::FromWide(text) : String(u"error ") + String::FromInt(code);
    if (text) LocalFree(text);
    message.TrimRight();
    return message;
}

}  // namespace linkloom::platform
