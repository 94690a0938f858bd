#include <windows.h>

#include <bcrypt.h>

#include "platform/RandomName.h"

namespace linkloom::platform {

std::optional<SystemError> RandomBytes(unsigned char* bytes, std::size_t size) {
    const NTSTATUS status = BCryptGenRandom(nullptr, bytes, static_cast<ULONG>(size), BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    if (status >= 0) return std::nullopt;
    return OwnFailure(String(u"no random numbers from the system (status ") + String::FromInt(status) + u")", String(),
                      Action::Read);
}

}  // namespace linkloom::platform
