#pragma once

#include <string>

#include "cli/report/RunReport.h"

namespace linkloom::cli {

// GitHub shows at most this many annotations of one kind from a step.
constexpr std::size_t kMostAnnotationsPerKind = 10;
// The rows of the summary's findings table; the step summary holds at most 1 MiB.
constexpr std::size_t kMostSummaryRows = 500;

// Workflow commands: "::error file=F,line=N::" for each finding of --check and "::warning::"
// for each warning, at most kMostAnnotationsPerKind of each, the last one counting the rest
// when there are more.
std::string WorkflowCommands(const RunReport& report);
// The Markdown appended to $GITHUB_STEP_SUMMARY: the counts, the findings, the files written.
std::string StepSummary(const RunReport& report);
// The lines appended to $GITHUB_OUTPUT, each value between "name<<DELIMITER" and DELIMITER, a
// form no value can break out of as long as DELIMITER is in none of them.
std::string StepOutputs(const RunReport& report, const std::string& delimiter);

}  // namespace linkloom::cli
