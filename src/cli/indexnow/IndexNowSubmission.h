#pragma once

#include <cstddef>
#include <vector>

#include "base/String.h"
#include "cli/indexnow/IndexNowSite.h"
#include "cli/state/UrlChanges.h"

namespace linkloom::cli {

// Posts the locations of `changes` to the IndexNow `endpoint`, a request per batch, and says on
// standard error how each was answered (the accepted ones unless `quiet`). A 429 answer with a
// Retry-After in seconds is waited out and asked again once. Stops at the first request that is
// not accepted; the number of URLs, from the first, that were accepted.
std::size_t SubmitToIndexNow(const IndexNowSite& site, const String& endpoint,
                             const std::vector<UrlChanges::Change>& changes, bool quiet);

}  // namespace linkloom::cli
