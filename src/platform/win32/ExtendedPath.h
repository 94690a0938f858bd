#pragma once

#include "base/String.h"

namespace linkloom::platform {

// The full "\\?\" form of a path ("\\?\UNC\" for a network path): the system takes it as it is,
// so a name such as "COM1.htm" or "CON." names a file and never a device, and no length limit
// but the system's own applies. A path that already has the form is kept.
String ExtendedPath(const String& path);

// The full path the system makes of `path` (relative parts, "." and "..", blanks and dots at the
// end of the last name); `path` itself when the system cannot.
String FullPath(const String& path);

}  // namespace linkloom::platform
