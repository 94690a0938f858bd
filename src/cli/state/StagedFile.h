#pragma once

#include <initializer_list>
#include <optional>
#include <string_view>

#include "base/String.h"
#include "cli/fileset/FileSetTransaction.h"
#include "platform/SystemError.h"

namespace linkloom::cli {

// Writes `pieces`, one after another, beside the file at `path` (its links followed), to take that
// file's place when `change` is committed; fails too when `path` names a folder, a FIFO or a device.
std::optional<platform::SystemError> StageFile(FileSetTransaction& change, const String& path,
                                               std::initializer_list<std::string_view> pieces);

}  // namespace linkloom::cli
