#pragma once

#include <optional>
#include <string>

#include "base/String.h"

namespace linkloom::cli {

// What every IndexNow request of a run names: the site's host, the key, and the URL of the key
// file that proves the key is the site's.
struct IndexNowSite {
    std::string host;
    std::string key;
    std::string keyLocation;
};

// True for a key the protocol allows: 8 to 128 of a-z, A-Z, 0-9 and '-'.
bool IsIndexNowKey(const String& key);

// The site's IndexNow settings for a run of FOLDER at `rootUrl` (in normal form, ending in '/'),
// once FOLDER holds the key file: at `keyLocation` when given (a URL under `rootUrl`), otherwise
// KEY.txt at `rootUrl`, holding the key alone. Nothing, with `message` saying what to create, when
// it does not.
std::optional<IndexNowSite> FindIndexNowSite(const String& folder, const String& rootUrl, const String& key,
                                             const std::optional<String>& keyLocation, String& message);

}  // namespace linkloom::cli
