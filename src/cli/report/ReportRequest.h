#pragma once

#include <optional>

#include "base/String.h"

namespace linkloom::cli {

enum class ReportFormat { Json, Github };

// One --report FORMAT[:FILE]: the format, and the file it goes to (none: standard error).
struct ReportRequest {
    ReportFormat format = ReportFormat::Json;
    std::optional<String> file;
};

// Reads "json", "json:FILE", "github" or "github:FILE". False with `error` set when refused.
bool ParseReportRequest(const String& value, ReportRequest& request, String& error);

}  // namespace linkloom::cli
