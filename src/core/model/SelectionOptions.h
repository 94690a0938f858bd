#pragma once

#include <cstdint>

namespace linkloom {

// What a run selects and how it dates what it lists. Stored by both programs as one word, the
// "flags": the conversions below are its only readers and writers.
struct SelectionOptions {
    bool subfolders = true;
    bool excludeNoindex = true;
    bool skipTemplateNames = false;
    bool requireDoctype = false;
    bool lastmodWithTime = false;
    // Bits of a stored word that name none of the above, written back as they were read.
    std::uint32_t otherBits = 0;

    static SelectionOptions FromFlagsWord(std::uint32_t word) {
        return {(word & kSubfolders) != 0,     (word & kExcludeNoindex) != 0,  (word & kSkipTemplateNames) != 0,
                (word & kRequireDoctype) != 0, (word & kLastmodWithTime) != 0, word & ~kKnownBits};
    }
    std::uint32_t FlagsWord() const {
        return (subfolders ? kSubfolders : 0) | (excludeNoindex ? kExcludeNoindex : 0) |
               (skipTemplateNames ? kSkipTemplateNames : 0) | (requireDoctype ? kRequireDoctype : 0) |
               (lastmodWithTime ? kLastmodWithTime : 0) | otherBits;
    }
    // True when the content test reads the page's head at all.
    bool TestsContent() const { return excludeNoindex || requireDoctype; }

private:
    static constexpr std::uint32_t kSubfolders = 1;
    static constexpr std::uint32_t kExcludeNoindex = 2;
    static constexpr std::uint32_t kSkipTemplateNames = 4;
    static constexpr std::uint32_t kRequireDoctype = 8;
    static constexpr std::uint32_t kLastmodWithTime = 16;
    static constexpr std::uint32_t kKnownBits =
        kSubfolders | kExcludeNoindex | kSkipTemplateNames | kRequireDoctype | kLastmodWithTime;
};

}  // namespace linkloom
