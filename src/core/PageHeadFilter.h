#pragma once

#include "base/String.h"
#include "core/JobFlags.h"

namespace linkloom {

enum class PageVerdict { Keep, Noindex, NoDoctype, Unreadable };

// Looks at the first 4096 characters of a page for "noindex" (with ExcludeNoindex) and
// "!DOCTYPE" (with RequireDoctype), without regard to case. A page whose text cannot be had
// (missing, locked, empty, not text) is Unreadable.
PageVerdict PageHeadFilter(const String& path, JobFlags flags);

}  // namespace linkloom
