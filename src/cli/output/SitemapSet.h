#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <functional>

#include "base/String.h"
#include "cli/fileset/FileSetTransaction.h"
#include "cli/output/OutputNames.h"
#include "cli/output/SectionSpool.h"
#include "cli/output/Sections.h"
#include "cli/output/SitemapFile.h"
#include "cli/output/SitemapForm.h"
#include "cli/output/WrittenFile.h"
#include "core/model/SitemapLimits.h"
#include "core/sitemap/EntrySink.h"
#include "platform/OutputFile.h"

namespace linkloom::cli {

// Writes a run's entries, as they come, into FILE, or, once they pass a limit, into the parts
// NAME-1.xml, NAME-2.xml, ... with FILE as their sitemap index (a text sitemap's parts have
// none, and an earlier FILE goes with the old set). Split by sections, each section has its own
// parts, NAME-SECTION.xml or NAME-SECTION-1.xml, ..., all under the index; the first sections
// met are written as their entries come, the entries of any further one wait in a SectionSpool and
// its files are written at the end, one section at a time. A link at FILE is followed and
// what it leads to is replaced. Every file is written under a temporary name and the set is
// switched in place of the old one only when all are ready; a set that fails leaves no file
// behind and the earlier set as it was.
class SitemapSet : public EntrySink {
public:
    // The index names each part at `partsUrl` (ending in '/') followed by its name.
    SitemapSet(OutputNames names, bool gzip, String partsUrl, SitemapLimits limits,
               SitemapForm form = SitemapForm(SitemapFormat::Xml, false),
               std::optional<Sections> sections = std::nullopt);
    ~SitemapSet() override;

    void Add(const SitemapEntry& entry) override;
    bool Failed() const override { return !error_.IsEmpty(); }

    // Closes the last part, writes the index when there are several, and switches the new set
    // in, parts of an earlier, larger set going with the old one. `proceed` is asked before each
    // step of the switch. False with Error() set on failure.
    bool Finish(const SetSwitch::Proceed& proceed = [] { return true; });
    const String& Error() const { return error_; }
    // A file switched in with the set, both or neither (the --state record): it makes its
    // temporary file in `change`; a failure names the file it replaces.
    using Companion = std::function<std::optional<platform::SystemError>(FileSetTransaction& change)>;
    bool Include(const Companion& companion);
    int Parts() const { return parts_; }
    // The files of a set switched in: FILE at `fileUrl` when it is the only file or the index,
    // then the parts with their URLs.
    std::vector<WrittenFile> Files(const String& fileUrl) const;

private:
    struct Part {
        String temporary;
        String newest;
        std::uint64_t size = 0;
    };
    struct Section {
        std::u16string key;
        String name;  // given when the set is finished
        std::vector<Part> parts;
        std::unique_ptr<SitemapFile> current;  // the part being written
        int entries = 0;                       // in the current part
        std::uint64_t bytes = 0;
        bool spooled = false;  // its entries wait in the spool
    };
    // The sections written as their entries come; with more, files and buffers would run out.
    static constexpr std::size_t kOpenSections = 16;

    std::size_t SectionOf(const SitemapEntry& entry);
    // Writes an entry's text into the section's current part, or a new one past a limit.
    bool Write(Section& section, const std::string& text, const String& lastmod);
    // Writes the section's entries held in the spool, and closes its last part.
    bool Complete(std::size_t section);
    bool StartPart(Section& section);
    bool ClosePart(Section& section);
    // Names the sections, so that no two files of the set share a name in any letter case.
    void NameSections();
    // The file name of a section's part `number` (1 and up) once named.
    String PartName(const Section& section, std::size_t number) const;
    bool WriteIndex();
    // Copies the only part beside FILE, which lies in another folder.
    bool CopyAway();
    // Keeps the first failure as `target`'s; true when there is none.
    bool Check(std::optional<platform::SystemError> failure, const String& target);
    // The file that messages name for a section's part `number`: FILE itself when it is the only
    // one, or when the section's name is not given yet.
    String PartTarget(const Section& section, std::size_t number) const;
    // True when FILE is the only file: one part and no sections.
    bool Single() const { return !sections_ && parts_ == 1; }

    OutputNames names_;
    bool gzip_;
    String partsUrl_;
    SitemapLimits limits_;
    SitemapForm form_;
    platform::OutputTarget file_;  // where FILE's links lead
    FileSetTransaction change_;    // declared before the open part, so that it goes after it
    bool away_ = false;            // FILE's links lead to another folder
    std::vector<String> earlier_;  // the parts of the set there when the run began
    std::optional<Sections> sections_;
    std::deque<Section> written_;  // in the order they were first met; one without sections
    std::unordered_map<std::u16string, std::size_t> sectionAt_;
    std::optional<SectionSpool> spool_;
    int parts_ = 0;  // of all sections
    std::uint64_t indexSize_ = 0;
    String extra_;           // the index's temporary file, or the only part's copy
    std::string entryText_;  // kept, so that no entry allocates
    String error_;
};

}  // namespace linkloom::cli
