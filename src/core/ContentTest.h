#pragma once

#include "base/String.h"
#include "core/JobFlags.h"

namespace linkloom {

// Whether the page at `path` passes the content options of `flags` (noindex, doctype).
bool PassesContentTest(const String& path, JobFlags flags);

}  // namespace linkloom
