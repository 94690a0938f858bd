#pragma once

#include <string>

#include "base/String.h"
#include "cli/init/SiteSurvey.h"

namespace linkloom::cli {

// The text of a starter settings file: each key the survey suggests, with a comment saying why.
// `rootUrl` is written as the "url" key; when empty, the key is left as a comment to fill in.
std::string StarterSettings(const SiteSurvey& survey, const String& rootUrl);

}  // namespace linkloom::cli
