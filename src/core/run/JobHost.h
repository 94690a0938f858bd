#pragma once

#include <cstdint>
#include <vector>

#include "base/String.h"
#include "core/sitemap/EntrySink.h"
#include "core/model/JobMessages.h"
#include "core/model/JobSettings.h"
#include "core/lastmod/LastmodRecord.h"
#include "core/lastmod/LastmodSource.h"
#include "core/page/PageReader.h"
#include "core/rules/PageRules.h"
#include "core/walk/PathPattern.h"
#include "core/model/WalkReport.h"

namespace linkloom {

// The inputs a validation message can point at.
enum class JobInput { Extensions, Folder, RootUrl };

// Message box styles, with the values of MB_ICONHAND and MB_ICONEXCLAMATION.
enum class MessageStyle : std::uint32_t { Error = 0x10, Warning = 0x30 };

// Why a run that passed validation ends without a single entry.
enum class NoEntriesCause {
    NothingMatched,    // the walk found nothing to list
    Cancelled,         // the user cancelled before the first entry
    FolderUnreadable,  // the folder exists but cannot be listed
};

// What the sitemap run needs of its front end: the desktop dialog, the command line, or a test.
class JobHost {
public:
    virtual ~JobHost() = default;

    virtual JobInputs ReadInputs() = 0;
    virtual JobFlags Flags() const = 0;
    virtual void SetFlags(JobFlags flags) = 0;

    virtual void ShowMessage(const String& text, MessageStyle style) = 0;
    virtual void FocusInput(JobInput input) = 0;
    // An input failed validation with `message`: shown, and the focus put on the input.
    virtual void Reject(JobInput input, const String& message) {
        ShowMessage(message, MessageStyle::Error);
        FocusInput(input);
    }
    // Called once the inputs are accepted, before the walk; failures are the host's own business.
    virtual void SaveSettings(const JobSettings& settings) = 0;

    // Shows the progress with `title`; false when there is no progress to show, and then the
    // run asks for no cancel and sets no title.
    virtual bool ShowProgress(const String& title) = 0;
    virtual void HideProgress() = 0;
    virtual void SetProgressTitle(const String& title) = 0;
    virtual bool IsCancelled() = 0;
    // Handles pending events (painting, the pause and cancel buttons) and returns at once.
    virtual void PumpEvents() = 0;

    // How many threads read pages ahead of the walk; 1 reads each page on the run's own thread.
    virtual int PageReaders() const { return 1; }
    // What the host's own steps need read of each page, beyond what the flags ask for.
    virtual PageNeeds Needs() const { return {}; }
    // Asked once the inputs are accepted: a host that writes the entries out as the walk finds
    // them returns its sink, and the run then ends with EndEntries. Null: the run collects one
    // document and hands it to TakeDocument.
    virtual EntrySink* EntryStream(const JobSettings& settings) {
        (void)settings;
        return nullptr;
    }
    // Asked once the inputs are accepted, before the walk: the host's own rules for the pages kept
    // and their locations, which outlive the run; null for none.
    virtual const PageRules* Rules(const JobSettings& settings) {
        (void)settings;
        return nullptr;
    }
    // The walk of a streamed run has ended with `count` entries (at least one, or a failed sink).
    virtual void EndEntries(int count) { (void)count; }
    // The run ended without an entry; `reason` is the system's word for an unreadable folder.
    // The desktop program says that no files match, whatever the cause.
    virtual void NoEntries(NoEntriesCause cause, const String& reason) {
        (void)cause;
        (void)reason;
        ShowMessage(JobMessage::kNoFiles, MessageStyle::Warning);
    }
    // Where each page's lastmod comes from, in the order they are asked; the file's time by default.
    virtual LastmodOrder LastmodSources() const { return {LastmodSourceKind::Mtime}; }
    // What earlier runs published, kept and told of this run's entries; null for none.
    virtual LastmodRecord* Record() { return nullptr; }
    // Paths the walk leaves out, and where it says what it left out; null for none.
    virtual const std::vector<PathPattern>* Exclusions() const { return nullptr; }
    virtual WalkReport* Report() { return nullptr; }
    // The finished document of a run that does not stream, and how many entries it holds.
    virtual void TakeDocument(const String& document, int count) {
        (void)document;
        (void)count;
    }
};

}  // namespace linkloom
