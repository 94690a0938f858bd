#include "core/PageReader.h"

#include "platform/TextCompare.h"

namespace linkloom {

PageFacts PageReader::Read(const platform::FolderHandle& folder, const platform::DirectoryEntry& entry) {
    PageFacts facts;
    bool timed = false;
    if (readsHeads_) {
        ReadHead(folder, entry.name, facts);
        // The time of an open file comes with it; a page left out needs none.
        timed = facts.verdict == PageVerdict::Keep && reader_.LastWriteTime(facts.written);
        reader_.Close();
        if (facts.verdict != PageVerdict::Keep) return facts;
    }
    if (entry.hasTime) {
        facts.written = entry.written;
    } else if (!timed && !folder.LastWriteTime(entry, facts.written, facts.error)) {
        facts.verdict = PageVerdict::Unreadable;
        facts.failed = true;
    }
    return facts;
}

void PageReader::ReadHead(const platform::FolderHandle& folder, const String& name, PageFacts& facts) {
    switch (reader_.Open(folder, name)) {
    case WebFileReader::OpenResult::TextReady: {
        const TextEncoding encoding = reader_.Encoding();
        if (platform::kAsciiFoldsAlone && (encoding == TextEncoding::Ansi || encoding == TextEncoding::Utf8)) {
            // The words can be found in the bytes; nothing needs converting.
            const bool utf8 = encoding == TextEncoding::Utf8;
            const unsigned char* bytes = nullptr;
            std::size_t count = reader_.Peek(kWebBlockSize, bytes);
            count = reader_.Peek(HeadBytes(bytes, count, utf8), bytes);
            facts.verdict = PageHeadFilter(bytes, count, utf8, flags_);
            return;
        }
        const std::size_t length = reader_.Read(head_, kHeadLength);
        facts.verdict = length > 0 ? PageHeadFilter(std::u16string_view(head_, length), flags_) : PageVerdict::Unreadable;
        return;
    }
    case WebFileReader::OpenResult::NoText:
        facts.verdict = PageVerdict::Unreadable;
        return;
    case WebFileReader::OpenResult::CannotOpen:
        facts.verdict = PageVerdict::Unreadable;
        facts.error = reader_.Error();
        facts.failed = facts.error.code != 0;
        return;
    }
}

}  // namespace linkloom
