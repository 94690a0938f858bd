#pragma once

#include "base/String.h"
#include "core/walk/NameList.h"

namespace linkloom {

// True when a page that the extension list took is a server's error page: its name before the
// extension is 404, 410, 500, 502, 503 or 50x (any letter case), or it is an index page (a name
// of `indexNames`) of a folder so named, as in 404/index.html. `folderPath` is the page's folder
// relative to the walked one, with '/' after each name.
bool IsErrorPage(const String& folderPath, const String& name, const NameList& indexNames);

}  // namespace linkloom
