#pragma once

#include <string>

#include "cli/report/RunReport.h"

namespace linkloom::cli {

// The run's report as one JSON document (docs/report.schema.json), ending in a newline.
std::string JsonReport(const RunReport& report);

}  // namespace linkloom::cli
