#pragma once

#include <string>

namespace linkloom::tools {

// Completion scripts for linkloom-cli's options: a FILE or SITEMAP value completes file names,
// FOLDER folder names, and other values nothing.
std::string BashCompletion();
std::string ZshCompletion();
std::string FishCompletion();

}  // namespace linkloom::tools
