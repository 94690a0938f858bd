#pragma once

#include <cstdint>
#include <optional>

#include "base/String.h"

namespace linkloom::cli {

// A file a run wrote: where (none for standard output), its URL when it has one, its size.
struct WrittenFile {
    std::optional<String> path;
    std::optional<String> url;
    std::uint64_t bytes = 0;
};

}  // namespace linkloom::cli
