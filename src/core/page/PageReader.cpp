#include "core/page/PageReader.h"

#include <algorithm>

#include "core/markup/ImageTags.h"
#include "platform/TextCompare.h"

namespace linkloom {

PageReader::PageReader(const SelectionOptions& options, PageNeeds needs)
    : options_(options),
      testsContent_(options.TestsContent()),
      needsText_(testsContent_ || needs.text),
      needs_(needs) {}

PageFacts PageReader::Read(const platform::FolderHandle& folder, const platform::DirectoryEntry& entry) {
    PageFacts facts;
    platform::FileStamp stamp;
    bool timed = false;
    if (testsContent_ || needs_.headTags) {
        ReadText(folder, entry.name, facts);
        // The time of an open file comes with it; a page left out needs none.
        timed = facts.verdict == PageVerdict::Keep && reader_.Stamp(stamp);
        reader_.Close();
        if (facts.verdict != PageVerdict::Keep) return facts;
    }
    if (entry.hasTime) {
        stamp = {entry.written, entry.size};
    } else if (platform::SystemError error; !timed && !folder.Stamp(entry, stamp, error)) {
        facts.verdict = PageVerdict::Unreadable;
        facts.error = error;
    }
    facts.written = stamp.written;
    facts.size = stamp.size;
    std::uint64_t hash = 0;
    if (needs_.contentHash && facts.verdict == PageVerdict::Keep && hasher_.Hash(folder, entry.name, hash)) {
        facts.contentHash = hash;
    }
    return facts;
}

void PageReader::ReadText(const platform::FolderHandle& folder, const String& name, PageFacts& facts) {
    switch (reader_.Open(folder, name)) {
    case WebFileReader::OpenResult::TextReady:
        if (!needs_.headTags && JudgeBytes(facts)) return;
        ReadHead();
        if (needsText_) {
            const std::u16string_view head(text_.data(), std::min(text_.size(), kHeadLength));
            facts.verdict = head.empty() ? PageVerdict::Unreadable : ContentVerdict(head, options_);
        }
        if (needs_.headTags && facts.verdict == PageVerdict::Keep) facts.headTags = ScanHeadTags(text_);
        if (needs_.images && facts.verdict == PageVerdict::Keep) {
            ReadRest();
            facts.imageSources = ScanImageSources(text_);
        }
        return;
    case WebFileReader::OpenResult::NoText:
        // Without a content test such a page stays, with nothing read of it.
        if (needsText_) facts.verdict = PageVerdict::Unreadable;
        return;
    case WebFileReader::OpenResult::CannotOpen:
        if (!needsText_) return;
        facts.verdict = PageVerdict::Unreadable;
        if (reader_.Error().code != 0) facts.error = reader_.Error();
        return;
    }
}

bool PageReader::JudgeBytes(PageFacts& facts) {
    const TextEncoding encoding = reader_.Encoding();
    if (!platform::kAsciiFoldsAlone || (encoding != TextEncoding::Ansi && encoding != TextEncoding::Utf8)) return false;
    // The words can be found in the bytes; nothing needs converting.
    const bool utf8 = encoding == TextEncoding::Utf8;
    const unsigned char* bytes = nullptr;
    std::size_t count = reader_.Peek(kWebBlockSize, bytes);
    count = reader_.Peek(HeadBytes(bytes, count, utf8), bytes);
    facts.verdict = ContentVerdict(bytes, count, utf8, options_);
    return true;
}

void PageReader::ReadHead() {
    // The first characters come in one read; more only while the head goes on. Without a content
    // test, that read is short: most heads end within it, and each character read is decoded.
    text_.clear();
    std::size_t wanted = testsContent_ ? kHeadLength : kFirstHeadRead;
    for (;;) {
        const std::size_t had = text_.size();
        const std::size_t asked = std::min(wanted, kMostHeadText - had);
        text_.resize(had + asked);
        const std::size_t got = reader_.Read(text_.data() + had, asked);
        text_.resize(had + got);
        if (!needs_.headTags || got < asked || text_.size() == kMostHeadText) return;
        // A word cut by the end of the last read is found in this one.
        if (HeadEnd(std::u16string_view(text_).substr(had > 5 ? had - 5 : 0)) != std::u16string_view::npos) return;
        wanted = 4 * kHeadLength;
    }
}

void PageReader::ReadRest() {
    while (text_.size() < kMostImageText) {
        const std::size_t had = text_.size();
        const std::size_t asked = std::min(4 * kHeadLength, kMostImageText - had);
        text_.resize(had + asked);
        const std::size_t got = reader_.Read(text_.data() + had, asked);
        text_.resize(had + got);
        if (got < asked) return;
    }
}

}  // namespace linkloom
