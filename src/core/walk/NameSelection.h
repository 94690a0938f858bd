#pragma once

#include <optional>

#include "base/String.h"
#include "core/model/SelectionOptions.h"
#include "core/model/WalkReport.h"
#include "core/walk/NameList.h"

namespace linkloom {

// The selection of a file by its name alone: "template" in the name (with skipTemplateNames), then
// an extension that the list holds. The reason it is left out, or nothing when it stays.
std::optional<LeftOutReason> SelectByName(const String& name, const SelectionOptions& options,
                                          const NameList& extensions);

}  // namespace linkloom
