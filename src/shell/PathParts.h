#pragma once

#include "base/String.h"

namespace linkloom {

// The root of a drive path ("C:\") or of a network path ("\\server\share\"), ending in a
// backslash; empty for anything else or a network path without a share. A long-path prefix is
// looked through.
String PathRoot(const String& path);

// The text up to and including the last backslash; empty when there is none.
String DirectoryPart(const String& path);
// The text after the last backslash; the whole text when there is none.
String LastComponent(const String& path);

// What stands for a path of 260 units or more, given its short form: the short form itself, or
// the short folder with the long last name when that name's extension has more than 3 units
// (a short name would cut it to 3).
String ShortFormFor(const String& longPath, const String& shortPath);

// The form in which a path of 260 units or more goes into the folder box: the short form when
// one was found (empty when not), then, with `longForms`, the long-path prefix when the text
// is still 260 units or more and carries none.
String LongPathForm(const String& path, const String& shortPath, bool longForms);

}  // namespace linkloom
