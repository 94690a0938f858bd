#pragma once

#include <cstdint>
#include <string>

#include "cli/SitemapLimits.h"
#include "core/EntrySink.h"

namespace linkloom::cli {

// A run's entries written to standard output as they come, as one document that is never
// split: the header before the first entry, the footer at the end.
class StdoutSitemap : public EntrySink {
public:
    void Add(const SitemapEntry& entry) override;
    bool Failed() const override { return false; }
    void Finish(int count);
    // True when the document holds more than one sitemap file may.
    bool Exceeds(const SitemapLimits& limits) const;
    int Entries() const { return entries_; }
    std::uint64_t Bytes() const { return bytes_; }

private:
    void Write(const std::string& text, bool flush);

    std::string pending_;
    std::string entryText_;  // kept, so that no entry allocates
    int entries_ = 0;
    std::uint64_t bytes_ = 0;
};

}  // namespace linkloom::cli
