#pragma once

#include <vector>

#include "cli/front/CliOptions.h"
#include "core/walk/OwnFiles.h"

namespace linkloom::cli {

// The files a run with `options` writes and that may lie in the walked folder: FILE and the
// parts of its earlier set, the --state record and the --changes list, each as named and where
// its links lead.
std::vector<OwnFile> RunFiles(const CliOptions& options);

}  // namespace linkloom::cli
