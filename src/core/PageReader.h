#pragma once

#include "core/JobFlags.h"
#include "core/PageHeadFilter.h"
#include "core/WebFileReader.h"
#include "platform/Directory.h"

namespace linkloom {

// What the steps after the walk need to know of one candidate file, read once.
struct PageFacts {
    PageVerdict verdict = PageVerdict::Keep;
    // Set when the file could not be opened or its time read (an Unreadable verdict without it
    // is a page with no text: empty, binary, or not a file at all).
    bool failed = false;
    platform::SystemError error;
    platform::FileTime written = 0;
};

// Reads a candidate's last-write time and, when the content test needs it, the head of its text.
// One reader serves one thread; its buffers are its own.
class PageReader {
public:
    explicit PageReader(JobFlags flags) : flags_(flags), readsHeads_(ReadsPageHeads(flags)) {}
    PageReader(const PageReader&) = delete;
    PageReader& operator=(const PageReader&) = delete;

    // The facts of the file `entry` of `folder`.
    PageFacts Read(const platform::FolderHandle& folder, const platform::DirectoryEntry& entry);

private:
    // Reads the head and judges it.
    void ReadHead(const platform::FolderHandle& folder, const String& name, PageFacts& facts);

    JobFlags flags_;
    bool readsHeads_;
    WebFileReader reader_;
    char16_t head_[kHeadLength];
};

}  // namespace linkloom
