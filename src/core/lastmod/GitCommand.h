#pragma once

#include <initializer_list>

#include "base/String.h"
#include "platform/RunProgram.h"

namespace linkloom {

// Runs one reading git command on the work tree that holds `folder`, so that nothing the
// repository or the caller's environment brings along runs or steers it: git is found in the
// PATH's absolute folders only; git's own variables (which could name another repository, other
// configuration or other programs) are not handed on; and the settings through which a reading
// command could start a program (a file system monitor, a pager, an external diff or text
// conversion, a signature check, fetching missing objects) are overridden on its command line,
// where they outrank any configuration file and whatever it includes. Commands that write the
// index, run hooks or filters, or look at the work tree's files are not run at all.
platform::ProgramRun RunGit(const String& folder, std::initializer_list<const char16_t*> command,
                            const platform::ProgramOutput& output, const platform::ProgramStop& stop);

}  // namespace linkloom
