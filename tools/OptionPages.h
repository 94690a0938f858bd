#pragma once

#include <string>

namespace linkloom::tools {

// The manual page's option list, as roff paragraphs.
std::string ManualOptions();

// The README's option block: the usage line, then each option with its one-line summary.
std::string ReadmeOptions();

}  // namespace linkloom::tools
