#pragma once

#include "cli/front/CliOptions.h"

namespace linkloom::cli {

// --init FOLDER [URL]: writes a starter FOLDER/linkloom.toml from what FOLDER holds, never over
// a file already there. Returns the exit status; messages go to standard error.
int RunInit(const CliOptions& options);

}  // namespace linkloom::cli
