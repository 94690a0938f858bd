#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/String.h"
#include "cli/OutputNames.h"
#include "cli/SitemapFile.h"
#include "cli/SitemapLimits.h"
#include "core/EntrySink.h"

namespace linkloom::cli {

// Writes a run's entries, as they come, into FILE, or, once they pass a limit, into the parts
// NAME-1.xml, NAME-2.xml, ... with FILE as their sitemap index. Every file is written under a
// temporary name and renamed only when the whole set is ready; a set that fails leaves no file
// behind and any earlier set as it was.
class SitemapSet : public EntrySink {
public:
    SitemapSet(OutputNames names, bool gzip, String rootUrl, SitemapLimits limits);

    void Add(const SitemapEntry& entry) override;
    bool Failed() const override { return !error_.IsEmpty(); }

    // Closes the last part, writes the index when there are several, renames every file into
    // place and removes parts of an earlier, larger set. False with Error() set on failure.
    bool Finish();
    const String& Error() const { return error_; }
    int Parts() const { return static_cast<int>(parts_.size()); }

private:
    struct Part {
        explicit Part(bool gzip) : file(gzip) {}
        SitemapFile file;
        int entries = 0;
        std::uint64_t bytes = 0;
        String newest;
    };
    bool StartPart();
    bool ClosePart();
    bool WriteIndex(SitemapFile& index);
    bool Check(bool ok, const String& path, const String& reason);
    // The file that part `number` becomes: FILE itself when it is the only one.
    String PartTarget(std::size_t number) const;

    OutputNames names_;
    bool gzip_;
    String rootUrl_;
    SitemapLimits limits_;
    std::vector<std::unique_ptr<Part>> parts_;
    std::string entryText_;  // kept, so that no entry allocates
    String error_;
};

}  // namespace linkloom::cli
