#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "base/String.h"
#include "platform/ReadFile.h"

namespace linkloom {

enum class TextEncoding { Ansi, Utf8, Utf16Le, NotText };

// Verdicts of the encoding guess for a block without a byte-order mark.
enum class TextVerdict { NotText, EightBit, Utf8, Utf16Le };

constexpr std::size_t kWebBlockSize = 4096;

// True when one of the first 512 bytes is a control byte other than tab, LF, VT, FF or CR.
bool HasControlBytes(const unsigned char* block, std::size_t size);
TextVerdict DetectTextEncoding(const unsigned char* block, std::size_t size);

// Reads the beginning of a web file as UTF-16 whatever its encoding, converting one 4096-byte
// block at a time. The bytes arrive in as few reads as the text asked for needs: the first block
// alone, then what the rest of the request can use at most. All buffers live in the object:
// reading allocates nothing but PeekAll's room for a longer file than any before.
class WebFileReader {
public:
    enum class OpenResult { TextReady, NoText, CannotOpen };

    OpenResult Open(const String& path);
    // The file `name` in `folder`.
    OpenResult Open(const platform::FolderHandle& folder, const String& name);
    // Copies up to `count` code units; fewer means the text ended. Does not terminate `out`.
    std::size_t Read(char16_t* out, std::size_t count);
    // Converts the rest of the current block, or the next block, into `out`, which has room for
    // kWebBlockSize code units; reads at most one block of bytes. None means the text ended.
    std::size_t ReadBlockText(char16_t* out);
    // The first bytes of the text, after a mark: all those at hand, read on at once where fewer
    // than `count` are; in place of Read, right after an Open that found text.
    std::size_t Peek(std::size_t count, const unsigned char*& bytes);
    // All the text's bytes after a mark, up to `most`, as Peek gives them: the buffer grows to
    // hold them, and a file whose size is known comes in one read. Read serves them after it.
    std::size_t PeekAll(std::size_t most, const unsigned char*& bytes);
    // The same for UTF-16 text: its first `most` code units, read in place.
    std::size_t PeekAllUnits(std::size_t most, const char16_t*& units);
    // From now on each Open reads the whole file, up to `most` bytes, at once where its size is
    // known: for a reader that takes all of every text, in one read instead of a block and the rest.
    void ReadWhole(std::size_t most) { wholeMost_ = most; }
    void Close() { file_.Close(); }
    // The file the last Open opened, while it is open: for a reading of its bytes from the start.
    platform::SequentialFile& File() { return file_; }
    TextEncoding Encoding() const { return encoding_; }
    // Why the last Open could not open the file; no code when it was no file at all.
    platform::SystemError Error() const { return error_; }
    // The last-write time and size of the open file, where opening read them.
    bool Stamp(platform::FileStamp& stamp) const { return file_.Stamp(stamp); }

private:
    OpenResult Start(const String& path, std::optional<platform::SystemError> failure);
    // Takes the next block of up to 4096 bytes, reading when fewer than the lesser of a block
    // and `wanted` are at hand: then up to `wanted` bytes at once.
    void ReadBlock(std::size_t wanted);
    // Converts the block after `skip` bytes into `out`, which has room for `room` code units and
    // at least as many as the block has bytes; returns the number of code units.
    std::size_t DecodeBlock(std::size_t skip, char16_t* out, std::size_t room);
    // The bytes the rest of a request for `units` code units can need at most.
    std::size_t BytesFor(std::size_t units) const;
    // Makes the next block of bytes pending, reading up to `wanted` bytes when none is at hand;
    // false at the end of the text.
    bool NextBlock(std::size_t wanted);
    // Room for at least `bytes` bytes, those at hand kept.
    void Grow(std::size_t bytes);
    // The bytes as they are read, held in code units so that UTF-16 text is read in place.
    unsigned char* Raw() const { return reinterpret_cast<unsigned char*>(raw_.get()); }

    static constexpr std::size_t kRawSize = 4 * kWebBlockSize;

    platform::SequentialFile file_;
    platform::SystemError error_;
    std::size_t wholeMost_ = 0;
    std::unique_ptr<char16_t[]> raw_{new char16_t[kRawSize / 2]};
    std::size_t rawCapacity_ = kRawSize;
    std::size_t rawStart_ = 0;  // the next byte not yet in a block
    std::size_t rawEnd_ = 0;
    bool rawEnded_ = false;  // the file has no bytes beyond rawEnd_
    const unsigned char* block_ = Raw();
    std::uint32_t byteCount_ = 0;
    bool endOfInput_ = false;
    // The block is read but not yet converted; its first `pendingSkip_` bytes are a mark.
    bool pending_ = false;
    std::size_t pendingSkip_ = 0;
    TextEncoding encoding_ = TextEncoding::NotText;
    char16_t units_[kWebBlockSize];
    std::uint32_t available_ = 0;
    const char16_t* position_ = nullptr;
};

}  // namespace linkloom
