#include <windows.h>

#include <bcrypt.h>

#include "platform/RandomName.h"

namespace linkloom::platform {

bool RandomBytes(unsigned char* bytes, std::size_t size, String& error) {
    const NTSTATUS status = BCryptGenRandom(nullptr, bytes, static_cast<ULONG>(size), BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    if (status >= 0) return true;
    error = String(u"no random numbers from the system (status ") + String::FromInt(status) + u")";
    return false;
}

}  // namespace linkloom::platform
