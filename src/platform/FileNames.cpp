#include "platform/FileNames.h"

#include "platform/Directory.h"

namespace linkloom::platform {

bool SameFile(const String& one, const String& other) {
    FileIdentity first, second;
    if (IdentifyPath(one, first) && IdentifyPath(other, second)) return first == second;
    return ResolveOutputTarget(one).path == ResolveOutputTarget(other).path;
}

}  // namespace linkloom::platform
