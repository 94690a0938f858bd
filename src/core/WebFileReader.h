#pragma once

#include <cstddef>
#include <cstdint>

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

// Reads the beginning of a web file as UTF-16 whatever its encoding, one 4096-byte block at a
// time. All buffers live in the object: reading allocates nothing.
class WebFileReader {
public:
    enum class OpenResult { TextReady, NoText, CannotOpen };

    OpenResult Open(const String& path);
    // Copies up to `count` code units; fewer means the text ended. Does not terminate `out`.
    std::size_t Read(char16_t* out, std::size_t count);
    void Close() { file_.Close(); }
    TextEncoding Encoding() const { return encoding_; }

private:
    void ReadBlock();
    // Converts the byte block after `skip` bytes; returns the number of code units.
    std::size_t DecodeBlock(std::size_t skip);

    platform::SequentialFile file_;
    unsigned char bytes_[kWebBlockSize + 1];
    std::uint32_t byteCount_ = 0;
    bool endOfInput_ = false;
    TextEncoding encoding_ = TextEncoding::NotText;
    char16_t units_[kWebBlockSize + 1];
    std::uint32_t available_ = 0;
    const char16_t* position_ = nullptr;
};

}  // namespace linkloom
