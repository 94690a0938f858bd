#pragma once

#include "platform/Directory.h"

namespace linkloom::platform {

// The time now, as a file time.
FileTime CurrentFileTime();

}  // namespace linkloom::platform
