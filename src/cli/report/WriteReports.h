#pragma once

#include "cli/report/RunReport.h"

namespace linkloom::cli {

// Writes each report that --report asks for, once the run has ended. False when one could not
// be written; that has been said on standard error.
bool WriteReports(const RunReport& report);

// Ends a run with `status`: the reports written, and 3 in place of 0 when one could not be.
int EndRun(RunReport& report, int status);

}  // namespace linkloom::cli
