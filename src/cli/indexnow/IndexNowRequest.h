#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cli/indexnow/IndexNowSite.h"
#include "cli/state/UrlChanges.h"

namespace linkloom::cli {

// The most URLs one request may list.
constexpr std::size_t kIndexNowBatch = 10000;

// The JSON body of a request for the locations of `changes` from `first`, at most
// kIndexNowBatch of them: {"host", "key", "keyLocation", "urlList"}.
std::string IndexNowBody(const IndexNowSite& site, const std::vector<UrlChanges::Change>& changes, std::size_t first);

}  // namespace linkloom::cli
