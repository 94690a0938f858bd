#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/String.h"
#include "platform/ScratchFile.h"
#include "platform/SystemError.h"

namespace linkloom::cli {

// The written entries of sections whose files are made only once the run ends, one at a time, so
// that a site of thousands of sections needs neither a file nor a buffer open for each. Each
// section's entries are gathered in memory, and all of them go to a scratch file as blocks once
// they pass a bound; where no scratch file can be made or written, they stay in memory.
class SectionSpool {
public:
    SectionSpool();

    // Holds an entry of section `section`: its text as written and its lastmod.
    void Add(std::size_t section, std::string_view text, const String& lastmod);
    using Take = std::function<bool(const std::string& text, const String& lastmod)>;
    // Hands the section's entries in turn to `take`, stopping where it fails (which has said
    // why); a failure when the scratch file cannot be read back.
    std::optional<platform::SystemError> Replay(std::size_t section, const Take& take) const;

private:
    struct Held {
        std::string bytes;                                          // not yet in the file
        std::vector<std::pair<std::uint64_t, std::size_t>> blocks;  // where and how many bytes
    };
    // Moves every section's bytes to the file, when it can.
    void Spill();

    platform::ScratchFile file_;
    std::uint64_t end_ = 0;
    std::vector<Held> sections_;
    std::size_t heldBytes_ = 0;
};

}  // namespace linkloom::cli
