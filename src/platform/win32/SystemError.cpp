#include "platform/win32/SystemError.h"

#include "platform/SystemError.h"

namespace linkloom::platform {

String SystemReason(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    String message = length ? String::FromWide(text) : String(u"error ") + String::FromInt(code);
    if (text) LocalFree(text);
    message.TrimRight();
    // The system's sentences end in a full stop; messages here do not.
    if (message.EndsWith(u'.')) message = message.Left(message.Length() - 1);
    return message;
}

SystemError LastFailure(const String& path, Action action) { return SystemFailure(GetLastError(), path, action); }

String Describe(const SystemError& error) { return error.code == 0 ? error.words : SystemReason(error.code); }

}  // namespace linkloom::platform
