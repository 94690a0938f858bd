#pragma once

#include "base/String.h"

namespace linkloom::cli {

// Writes our XSLT 1.0 stylesheet, which shows a sitemap or a sitemap index as sortable tables in
// a browser, to `path` (replacing what is there whole; a link is followed). False with `error`.
bool WriteStylesheet(const String& path, String& error);

}  // namespace linkloom::cli
