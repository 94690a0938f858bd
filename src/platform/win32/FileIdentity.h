#pragma once

#include <windows.h>

#include "platform/Directory.h"

namespace linkloom::platform {

inline FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return {info.dwVolumeSerialNumber, (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

}  // namespace linkloom::platform
