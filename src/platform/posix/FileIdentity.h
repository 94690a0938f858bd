#pragma once

#include <sys/stat.h>

#include "platform/Directory.h"

namespace linkloom::platform {

inline FileIdentity IdentityOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace linkloom::platform
