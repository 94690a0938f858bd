#pragma once

#include <initializer_list>
#include <string_view>

#include "base/String.h"
#include "cli/fileset/FileSetTransaction.h"

namespace linkloom::cli {

// Writes `pieces`, one after another, beside the file at `path` (its links followed), to take that
// file's place when `change` is committed; false with `error` set, as when `path` names a folder,
// a FIFO or a device.
bool StageFile(FileSetTransaction& change, const String& path, std::initializer_list<std::string_view> pieces,
               String& error);

}  // namespace linkloom::cli
