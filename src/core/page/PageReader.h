#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/lastmod/ContentHash.h"
#include "core/lastmod/LastmodRecord.h"
#include "core/markup/HeadTags.h"
#include "core/model/SelectionOptions.h"
#include "core/page/ContentVerdict.h"
#include "core/page/WebFileReader.h"
#include "platform/Directory.h"

namespace linkloom {

// What the steps after the walk need read of each page besides its time and the content test
// that the options ask for.
struct PageNeeds {
    bool headTags = false;  // the link, meta, base and script elements of the head
    // A page with no text to read is left out as unreadable, as the content test leaves it out.
    bool text = false;
    bool byteHash = false;     // a hash of the page's whole bytes
    bool contentHash = false;  // a hash of the page's main content
    bool images = false;       // the sources of the page's <img> elements, read past the head
    // Where the hash of a file unchanged since an earlier run is taken instead of reading it.
    const LastmodRecord* knownHashes = nullptr;

    // What either asks for.
    PageNeeds operator|(const PageNeeds& other) const {
        return {headTags || other.headTags, text || other.text,
                byteHash || other.byteHash, contentHash || other.contentHash,
                images || other.images,     knownHashes ? knownHashes : other.knownHashes};
    }
};

// The most of a page's text read to find the end of its head: 256 K characters.
constexpr std::size_t kMostHeadText = 256 * 1024;
// The most of a page's text read for its images: 4 M characters.
constexpr std::size_t kMostImageText = 4 * 1024 * 1024;
// The most bytes of UTF-8 text read for them: three a character at most.
constexpr std::size_t kMostImageUtf8 = 3 * kMostImageText;

// What the steps after the walk need to know of one candidate file, read once.
struct PageFacts {
    PageVerdict verdict = PageVerdict::Keep;
    // Why the file could not be opened or its time read (an Unreadable verdict without it is a
    // page with no text: empty, binary, or not a file at all).
    std::optional<platform::SystemError> error;
    platform::FileTime written = 0;
    // The size the file had with that time.
    std::uint64_t size = 0;
    // With PageNeeds::headTags, the head's elements; none when the page has no text to read.
    HeadTags headTags;
    // With PageNeeds::images, the sources of its <img> elements as the page gives them.
    std::vector<String> imageSources;
    // With PageNeeds::byteHash and contentHash, the hashes of a kept page (ContentHasher), when
    // it could be read.
    std::optional<std::uint64_t> byteHash;
    std::optional<std::uint64_t> contentHash;
};

// Reads a candidate's last-write time and, when the steps need them, the beginning of its text
// and the hash of its bytes.
// One reader serves one thread; its buffers are its own.
class PageReader {
public:
    explicit PageReader(const SelectionOptions& options, PageNeeds needs = {});
    PageReader(const PageReader&) = delete;
    PageReader& operator=(const PageReader&) = delete;

    // The facts of the file `entry` of `folder`, which is at `folderPath` in the walked folder
    // (null when not known: the file's hash is then never taken from the record).
    PageFacts Read(const platform::FolderHandle& folder, const platform::DirectoryEntry& entry,
                   const String* folderPath = nullptr);

private:
    // Reads the text the content test and the head need and judges it.
    void ReadText(const platform::FolderHandle& folder, const String& name, PageFacts& facts);
    // True when the content test and the head's end can be found in the bytes: 8-bit and UTF-8
    // text, where ASCII letters fold alone.
    bool ReadsBytes() const;
    // The content test on the bytes.
    void JudgeBytes(PageFacts& facts);
    // Reads the head's tags from the bytes at hand; false when they do not hold the head's end.
    bool HeadTagsFromBytes(PageFacts& facts);
    // The image sources found in the bytes of the whole text, up to kMostImageText characters.
    void ImagesFromBytes(PageFacts& facts);
    // The same for UTF-16 text, found in its units where they were read.
    void ImagesFromUnits(PageFacts& facts);
    // The text up to the end of its head, or its first 4096 characters when that is more.
    void ReadHead();
    // Room for `units` code units of text, those read kept.
    void Reserve(std::size_t units);
    // The text read so far.
    std::u16string_view Text() const { return {text_.get(), textLength_}; }
    // The rest of the text, up to kMostImageText, where it is not read as bytes.
    void ReadRest();
    // The hashes the needs ask for, taken from the record when it knows the file unchanged.
    void Hash(const platform::FolderHandle& folder, const String& name, const String* folderPath, PageFacts& facts);

    SelectionOptions options_;
    bool testsContent_;
    bool needsText_;
    PageNeeds needs_;
    WebFileReader reader_;
    // Grows to the longest head read and is reused: nothing is filled in before a read.
    std::unique_ptr<char16_t[]> text_;
    std::size_t textCapacity_ = 0;
    std::size_t textLength_ = 0;
    ContentHasher hasher_;
};

}  // namespace linkloom
