#include "core/page/PageReader.h"

#include <algorithm>

#include "core/markup/ImageTags.h"
#include "platform/CodePages.h"
#include "platform/TextCompare.h"

namespace linkloom {

PageReader::PageReader(const SelectionOptions& options, PageNeeds needs)
    : options_(options), testsContent_(options.TestsContent()), needsText_(testsContent_ || needs.text), needs_(needs) {
    // All ImagesFromBytes takes of UTF-8 text, with its three-byte mark.
    if (needs.images) reader_.ReadWhole(kMostImageUtf8 + 3);
}

PageFacts PageReader::Read(const platform::FolderHandle& folder, const platform::DirectoryEntry& entry,
                           const String* folderPath) {
    PageFacts facts;
    platform::FileStamp stamp;
    bool timed = false;
    if (testsContent_ || needs_.headTags) {
        ReadText(folder, entry.name, facts);
        // The time of an open file comes with it; a page left out needs none.
        timed = facts.verdict == PageVerdict::Keep && reader_.Stamp(stamp);
        if (facts.verdict != PageVerdict::Keep) {
            reader_.Close();
            return facts;
        }
    }
    if (entry.hasTime) {
        stamp = {entry.written, entry.size};
    } else if (!timed) {
        if (auto stamped = folder.Stamp(entry)) {
            stamp = *stamped;
        } else {
            facts.verdict = PageVerdict::Unreadable;
            facts.error = stamped.Failure();
        }
    }
    facts.written = stamp.written;
    facts.size = stamp.size;
    if ((needs_.byteHash || needs_.contentHash) && facts.verdict == PageVerdict::Keep) {
        Hash(folder, entry.name, folderPath, facts);
    }
    reader_.Close();
    return facts;
}

void PageReader::Hash(const platform::FolderHandle& folder, const String& name, const String* folderPath,
                      PageFacts& facts) {
    if (needs_.knownHashes && folderPath) {
        if (const auto known = needs_.knownHashes->KnownHash(*folderPath + name, {facts.written, facts.size})) {
            (needs_.knownHashes->Kind() == PageHashKind::Bytes ? facts.byteHash : facts.contentHash) = known;
            return;
        }
    }
    std::uint64_t bytes = 0;
    std::uint64_t content = 0;
    std::uint64_t* const bytesWanted = needs_.byteHash ? &bytes : nullptr;
    std::uint64_t* const contentWanted = needs_.contentHash ? &content : nullptr;
    // A page read for its head is read again from its start, not opened again.
    const bool hashed = reader_.File().Rewind();
    if (hashed) hasher_.Hash(reader_.File(), bytesWanted, contentWanted);
    if (hashed || hasher_.Hash(folder, name, bytesWanted, contentWanted)) {
        if (needs_.byteHash) facts.byteHash = bytes;
        if (needs_.contentHash) facts.contentHash = content;
    }
}

void PageReader::ReadText(const platform::FolderHandle& folder, const String& name, PageFacts& facts) {
    switch (reader_.Open(folder, name)) {
    case WebFileReader::OpenResult::TextReady: {
        if (ReadsBytes()) {
            if (testsContent_) JudgeBytes(facts);
            if (!needs_.headTags || facts.verdict != PageVerdict::Keep) return;
            if (needs_.images) ImagesFromBytes(facts);
            if (HeadTagsFromBytes(facts)) return;
        }
        // UTF-16 is read whole first and its images found in place; the head then comes from it.
        const bool unitsRead = needs_.images && reader_.Encoding() == TextEncoding::Utf16Le;
        if (unitsRead) ImagesFromUnits(facts);
        ReadHead();
        if (needsText_) {
            const std::u16string_view head = Text().substr(0, kHeadLength);
            facts.verdict = head.empty() ? PageVerdict::Unreadable : ContentVerdict(head, options_);
        }
        if (needs_.headTags && facts.verdict == PageVerdict::Keep) facts.headTags = ScanHeadTags(Text());
        if (facts.verdict != PageVerdict::Keep) {
            facts.imageSources.clear();
        } else if (needs_.images && !ReadsBytes() && !unitsRead) {
            ReadRest();
            facts.imageSources = ScanImageSources(Text());
        }
        return;
    }
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

bool PageReader::ReadsBytes() const {
    const TextEncoding encoding = reader_.Encoding();
    return platform::kAsciiFoldsAlone && (encoding == TextEncoding::Ansi || encoding == TextEncoding::Utf8);
}

void PageReader::JudgeBytes(PageFacts& facts) {
    const bool utf8 = reader_.Encoding() == TextEncoding::Utf8;
    const unsigned char* bytes = nullptr;
    std::size_t count = reader_.Peek(0, bytes);
    // UTF-8 is read on, a guess at a time, until its bytes hold the characters or end. The test
    // looks at no more than that, where the whole text is at hand too.
    std::size_t judged = std::min(count, kWebBlockSize);
    for (std::size_t wanted; (wanted = HeadBytes(bytes, judged, utf8)) > judged;) {
        if (wanted > count) count = reader_.Peek(wanted, bytes);
        if (count <= judged) break;
        judged = std::min(wanted, count);
    }
    facts.verdict = ContentVerdict(bytes, judged, utf8, options_);
}

bool PageReader::HeadTagsFromBytes(PageFacts& facts) {
    const unsigned char* bytes = nullptr;
    // Past the most the head's text may hold, a page's images may have brought more bytes.
    const std::size_t count = std::min(reader_.Peek(0, bytes), kMostHeadText);
    const std::size_t end = HeadEnd(bytes, count);
    if (end == std::u16string_view::npos) return false;
    facts.headTags = ScanHeadBytes(bytes, end, reader_.Encoding() == TextEncoding::Utf8);
    return true;
}

void PageReader::ImagesFromBytes(PageFacts& facts) {
    const bool utf8 = reader_.Encoding() == TextEncoding::Utf8;
    const unsigned char* bytes = nullptr;
    // 8-bit text has a character per byte; UTF-8 at least one per three bytes.
    const std::size_t count = reader_.PeekAll(utf8 ? kMostImageUtf8 : kMostImageText, bytes);
    if (count <= kMostImageText) {
        facts.imageSources = ScanImageSources(bytes, count, utf8);
        return;
    }
    // Longer UTF-8 is decoded to find where its characters reach the limit.
    textLength_ = 0;
    Reserve(kMostImageText);
    textLength_ = platform::DecodeUtf8(bytes, count, text_.get(), kMostImageText);
    facts.imageSources = ScanImageSources(Text());
}

void PageReader::ImagesFromUnits(PageFacts& facts) {
    const char16_t* units = nullptr;
    const std::size_t count = reader_.PeekAllUnits(kMostImageText, units);
    facts.imageSources = ScanImageSources(std::u16string_view(units, count));
}

void PageReader::ReadHead() {
    // The content test's characters come in as few reads as they take; the rest of the head one
    // block at a time, so that no more is read than the head needs: most end within the first.
    textLength_ = 0;
    Reserve(kHeadLength);
    if (testsContent_) {
        textLength_ = reader_.Read(text_.get(), kHeadLength);
        if (textLength_ < kHeadLength || !needs_.headTags || HeadEnd(Text()) != std::u16string_view::npos) return;
    }
    // Without the content test, the first block tells whether the page has text at all.
    while (textLength_ < kMostHeadText) {
        const std::size_t had = textLength_;
        Reserve(had + kWebBlockSize);
        const std::size_t got = reader_.ReadBlockText(text_.get() + had);
        textLength_ = std::min(had + got, kMostHeadText);
        if (got == 0 || !needs_.headTags) return;
        // A word cut by the end of the last block is found with this one.
        if (HeadEnd(Text().substr(had > 5 ? had - 5 : 0)) != std::u16string_view::npos) return;
    }
}

void PageReader::Reserve(std::size_t units) {
    if (textCapacity_ >= units) return;
    const std::size_t capacity = std::max(2 * textCapacity_, units);
    std::unique_ptr<char16_t[]> grown(new char16_t[capacity]);
    std::copy(text_.get(), text_.get() + textLength_, grown.get());
    text_ = std::move(grown);
    textCapacity_ = capacity;
}

void PageReader::ReadRest() {
    while (textLength_ < kMostImageText) {
        const std::size_t asked = std::min(4 * kHeadLength, kMostImageText - textLength_);
        Reserve(textLength_ + asked);
        const std::size_t got = reader_.Read(text_.get() + textLength_, asked);
        textLength_ += got;
        if (got < asked) return;
    }
}

}  // namespace linkloom
