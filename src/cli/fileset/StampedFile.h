#pragma once

#include <optional>
#include <string>

#include "base/String.h"
#include "platform/SystemError.h"

namespace linkloom::cli {

// A small file that only this user may change and that proves it is the very file a run of ours
// wrote: it begins with its own identity on its volume, which a copy, a file unpacked from an
// archive or one planted under the same name does not have.
std::optional<platform::SystemError> WriteStampedFile(const String& path, const std::string& body);
enum class StampedRead {
    Whole,    // stamped with its own identity: `body` is given
    Cut,      // its writer died before the stamp was whole: it says nothing
    Refused,  // missing, not private, or stamped with another file's identity
};
StampedRead ReadStampedFile(const String& path, std::string& body);

}  // namespace linkloom::cli
