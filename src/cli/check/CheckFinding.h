#pragma once

#include <cstdint>
#include <string>

#include "base/String.h"

namespace linkloom::cli {

// One thing --check found: where, what kind, the location it concerns and the sentence said.
struct CheckFinding {
    // The sitemap file it was found in (the one checked for what the site has and it lacks).
    String file;
    std::uint64_t line = 0;  // 0 when no line is meant
    // "missing", "extra", "stale", "duplicate", or the protocol rule broken: "unreadable",
    // "encoding", "size", "gzip", "entries", "depth", "malformed", "root", "part", "location",
    // "lastmod".
    std::string kind;
    std::string location;  // empty when the finding is about the file
    std::string message;
};

}  // namespace linkloom::cli
