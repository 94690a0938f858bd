#pragma once

#include <optional>

#include "base/String.h"
#include "platform/SystemError.h"

namespace linkloom::cli {

// Writes our XSLT 1.0 stylesheet, which shows a sitemap or a sitemap index as sortable tables in
// a browser, to `path` (replacing what is there whole; a link is followed).
std::optional<platform::SystemError> WriteStylesheet(const String& path);

}  // namespace linkloom::cli
