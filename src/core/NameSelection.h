#pragma once

#include <optional>

#include "base/String.h"
#include "core/ExtensionList.h"
#include "core/JobFlags.h"
#include "core/WalkReport.h"

namespace linkloom {

// The selection of a file by its name alone: "template" in the name (with SkipTemplateNames), then
// an extension that the list holds. The reason it is left out, or nothing when it stays.
std::optional<LeftOutReason> SelectByName(const String& name, JobFlags flags, const ExtensionList& extensions);

}  // namespace linkloom
