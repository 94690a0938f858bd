#pragma once

#include "cli/front/CliOptions.h"

namespace linkloom::cli {

// Walks the site as a run with these options would and checks the sitemap that --check names
// against the protocol and the site. The exit status: 0 valid and in step, 4 not, 2 rejected
// inputs or an unreadable folder, or that of the signal that stopped it.
int RunCheck(const CliOptions& options);

}  // namespace linkloom::cli
