#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/String.h"
#include "cli/output/SitemapFile.h"
#include "cli/output/SitemapForm.h"
#include "core/model/SitemapLimits.h"
#include "core/sitemap/EntrySink.h"

namespace linkloom::cli {

// A run's entries written as they come into standard output, or into the FIFO or device that
// -o names, as one document that is never split: the header before the first entry, the
// footer at the end.
class DirectSitemap : public EntrySink {
public:
    // Standard output without a path.
    DirectSitemap(const std::optional<String>& path, bool gzip, SitemapForm form);

    void Add(const SitemapEntry& entry) override;
    bool Failed() const override { return !error_.IsEmpty(); }
    // Writes the footer and what is pending; false with Error() set on failure.
    bool Finish(int count);
    const String& Error() const { return error_; }
    // True when the document holds more than one sitemap file may.
    bool Exceeds(const SitemapLimits& limits) const;
    int Entries() const { return entries_; }
    std::uint64_t Bytes() const { return bytes_; }
    // The bytes written, compressed ones when compressed.
    std::uint64_t Size() const { return file_ ? file_->Size() : 0; }

private:
    void Write(const std::string& text);

    std::string entryText_;  // kept, so that no entry allocates
    // Keeps the first failure; true when there is none.
    bool Check(std::optional<platform::SystemError> failure);

    String name_;  // as messages name the output
    SitemapForm form_;
    std::optional<SitemapFile> file_;
    int entries_ = 0;
    std::uint64_t bytes_ = 0;
    String error_;
};

}  // namespace linkloom::cli
