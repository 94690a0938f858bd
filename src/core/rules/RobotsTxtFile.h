#pragma once

#include "base/String.h"
#include "core/rules/RobotsTxt.h"

namespace linkloom {

enum class RobotsTxtRead { Read, Missing, Unreadable };

// Reads the file robots.txt of `folder` (a path ending in a separator) into `robots`, at most
// RobotsTxt::kMostBytes of it; `cut` tells whether it holds more. Nothing is written there.
// `reason` holds the system's words when the file is there but cannot be read.
RobotsTxtRead ReadRobotsTxt(const String& folder, RobotsTxt& robots, bool& cut, String& reason);

}  // namespace linkloom
