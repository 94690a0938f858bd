#pragma once

#include <cstdint>
#include <string>

#include "base/String.h"
#include "core/sitemap/SitemapEntry.h"
#include "platform/ScratchFile.h"

namespace linkloom {

// Entries and the paths of their pages, kept in a scratch file so that a run's memory does not
// grow with its entries, and read back by the position Append gave. Where no scratch file can be
// made or written, the bytes stay in memory: the run is the same, only larger.
class EntrySpool {
public:
    EntrySpool();
    EntrySpool(const EntrySpool&) = delete;
    EntrySpool& operator=(const EntrySpool&) = delete;

    std::uint64_t Append(const SitemapEntry& entry, const String& path);
    void Load(std::uint64_t at, SitemapEntry& entry, String& path) const;

private:
    // Moves the bytes held in memory to the file, when it can.
    void Spill();
    // The `size` bytes at `at`, from memory or through the window of read-ahead bytes.
    const char* Bytes(std::uint64_t at, std::size_t size) const;

    platform::ScratchFile file_;
    std::uint64_t inFile_ = 0;  // the bytes before this position are in the file
    std::string held_;          // the bytes from there on
    std::uint64_t end_ = 0;
    mutable std::string window_;
    mutable std::uint64_t windowAt_ = 0;
};

}  // namespace linkloom
