#include "core/page/WebFileReader.h"

#include <algorithm>
#include <cstring>

#include "base/TextScan.h"
#include "platform/CodePages.h"
#include "platform/TextCompare.h"

namespace linkloom {

namespace {

bool IsControlByte(unsigned char byte) { return byte <= 8 || (byte >= 14 && byte <= 31); }

bool StartsWith(const unsigned char* block, std::size_t size, const char* mark, std::size_t length) {
    return size >= length && std::memcmp(block, mark, length) == 0;
}

// True when the name's extension is `extension` (three letters, lower case), in any case.
bool HasExtension(const String& name, const char16_t (&extension)[4]) {
    const std::size_t length = name.Length();
    if (length < 4 || name[length - 4] != u'.') return false;
    for (std::size_t i = 0; i < 3; ++i) {
        if (platform::FoldCase(name[length - 3 + i]) != extension[i]) return false;
    }
    return true;
}

}  // namespace

bool HasControlBytes(const unsigned char* block, std::size_t size) {
    if (!block) return true;
    const std::size_t end = std::min<std::size_t>(size, 512);
    // Only bytes below 32 can be control bytes; in text those are mostly line ends and tabs.
    for (std::size_t i = FindByteBelow(block, end, 32); i < end;
         i += 1 + FindByteBelow(block + i + 1, end - i - 1, 32)) {
        if (IsControlByte(block[i])) return true;
    }
    return false;
}

namespace {

// The guess for a block without a mark whose control bytes have been looked for.
TextVerdict DetectUnmarked(const unsigned char* block, std::size_t size, bool control) {
    if (size < 4) return control ? TextVerdict::NotText : TextVerdict::EightBit;
    const std::size_t n = std::min<std::size_t>(size, 2048);
    if (!control && AsciiRun(block, n) == n) return TextVerdict::EightBit;
    const bool unicode = size % 2 == 0 && !IsControlByte(block[0]) && platform::LooksLikeUtf16(block, size);
    if (control || unicode) return unicode ? TextVerdict::Utf16Le : TextVerdict::NotText;
    return HasUtf8Shape(block, n) ? TextVerdict::Utf8 : TextVerdict::EightBit;
}

}  // namespace

TextVerdict DetectTextEncoding(const unsigned char* block, std::size_t size) {
    if (StartsWith(block, size, "\xFF\xFE", 2)) return TextVerdict::Utf16Le;
    if (StartsWith(block, size, "\xEF\xBB\xBF", 3)) return TextVerdict::Utf8;
    return DetectUnmarked(block, size, HasControlBytes(block, size));
}

WebFileReader::OpenResult WebFileReader::Open(const String& path) {
    position_ = nullptr;
    available_ = 0;
    error_ = {};
    if (HasExtension(path, u"pdf")) {
        encoding_ = TextEncoding::NotText;
        return OpenResult::NoText;
    }
    return Start(path, file_.Open(path));
}

WebFileReader::OpenResult WebFileReader::Open(const platform::FolderHandle& folder, const String& name) {
    position_ = nullptr;
    available_ = 0;
    error_ = {};
    if (HasExtension(name, u"pdf")) {
        encoding_ = TextEncoding::NotText;
        return OpenResult::NoText;
    }
    return Start(name, file_.Open(folder, name));
}

WebFileReader::OpenResult WebFileReader::Start(const String& path, std::optional<platform::SystemError> failure) {
    endOfInput_ = false;
    byteCount_ = 0;
    rawStart_ = rawEnd_ = 0;
    rawEnded_ = false;
    pending_ = false;
    if (failure) {
        // No file at all is no error of the system's.
        if (failure->kind != platform::SystemError::Kind::NotAFile) error_ = std::move(*failure);
        return OpenResult::CannotOpen;
    }

    platform::FileStamp stamp;
    if (wholeMost_ && file_.Stamp(stamp) && stamp.size > 0) {
        // The size the file was opened with is all that is read of it: no read to find its end.
        const std::size_t size = static_cast<std::size_t>(std::min<std::uint64_t>(stamp.size, wholeMost_));
        Grow(size);
        rawEnd_ = file_.Read(Raw(), size);
        rawEnded_ = rawEnd_ < size || stamp.size <= wholeMost_;
    }
    ReadBlock(kWebBlockSize);
    if (byteCount_ == 0) {
        encoding_ = TextEncoding::Ansi;
        return OpenResult::NoText;
    }
    std::size_t skip = 0;
    const bool utf16Mark = StartsWith(block_, byteCount_, "\xFF\xFE", 2);
    const bool control = !utf16Mark && HasControlBytes(block_, byteCount_);
    if (utf16Mark) {
        encoding_ = TextEncoding::Utf16Le;
        skip = 2;
    } else if (StartsWith(block_, byteCount_, "\xEF\xBB\xBF", 3)) {
        encoding_ = TextEncoding::Utf8;
        skip = 3;
    } else {
        switch (DetectUnmarked(block_, byteCount_, control)) {
        case TextVerdict::Utf16Le: encoding_ = TextEncoding::Utf16Le; break;
        case TextVerdict::Utf8: encoding_ = TextEncoding::Utf8; break;
        default: encoding_ = TextEncoding::Ansi; break;
        }
    }
    if (encoding_ != TextEncoding::Utf16Le && (control || HasExtension(path, u"rtf"))) {
        encoding_ = TextEncoding::NotText;
        return OpenResult::NoText;
    }
    // The block is converted by the first Read, straight into the caller's buffer where it fits;
    // it yields text exactly when it holds a byte to convert (UTF-16 needs a whole unit).
    const std::size_t left = byteCount_ - skip;
    if (left == 0 || (encoding_ == TextEncoding::Utf16Le && left < 2)) return OpenResult::NoText;
    pending_ = true;
    pendingSkip_ = skip;
    return OpenResult::TextReady;
}

void WebFileReader::ReadBlock(std::size_t wanted) {
    std::size_t held = rawEnd_ - rawStart_;
    if (held < std::min(wanted, kWebBlockSize) && !rawEnded_) {
        std::memmove(Raw(), Raw() + rawStart_, held);
        rawStart_ = 0;
        const std::size_t room = std::min(kRawSize, wanted) - held;
        const std::size_t got = file_.Read(Raw() + held, room);
        rawEnded_ = got < room;
        held += got;
        rawEnd_ = held;
    }
    // A block is shorter than 4096 bytes when the request needs no more; it converts to the same
    // text as the whole block would, since a UTF-8 sequence at its end goes to the next one.
    block_ = Raw() + rawStart_;
    byteCount_ = static_cast<std::uint32_t>(std::min(held, kWebBlockSize));
    rawStart_ += byteCount_;
    endOfInput_ = rawEnded_ && rawStart_ == rawEnd_;
}

std::size_t WebFileReader::BytesFor(std::size_t units) const {
    // A UTF-8 sequence carried to the next block may add up to six bytes.
    switch (encoding_) {
    case TextEncoding::Utf16Le: return 2 * units;
    case TextEncoding::Utf8: return 3 * units + 6;
    default: return units;
    }
}

std::size_t WebFileReader::DecodeBlock(std::size_t skip, char16_t* out, std::size_t room) {
    if (byteCount_ <= skip) return 0;
    const unsigned char* from = block_ + skip;
    std::size_t count = byteCount_ - skip;
    switch (encoding_) {
    case TextEncoding::Utf16Le:
        count = std::min(count / 2, room);
        std::memcpy(out, from, count * 2);
        return count;
    case TextEncoding::Utf8:
        if (!endOfInput_) {
            // The last multi-byte sequence goes to the next block whole, even when complete,
            // so that no character is split at the seam: its bytes start the next block.
            std::size_t back = 0;
            while (back < count && (from[count - 1 - back] & 0x80)) {
                ++back;
                if ((from[count - back] & 0xC0) == 0xC0) break;
            }
            if (back > 0 && back < count) {
                rawStart_ -= back;
                count -= back;
            }
        }
        return platform::DecodeUtf8(from, count, out, room);
    default: return platform::DecodeAnsi(from, count, out, room);
    }
}

std::size_t WebFileReader::Peek(std::size_t count, const unsigned char*& bytes) {
    // Right after Open the first block lies at the start of the buffer.
    const std::size_t end = std::min(kRawSize, pendingSkip_ + count);
    if (rawEnd_ < end && !rawEnded_) {
        const std::size_t room = end - rawEnd_;
        const std::size_t got = file_.Read(Raw() + rawEnd_, room);
        rawEnded_ = got < room;
        rawEnd_ += got;
    }
    bytes = Raw() + pendingSkip_;
    return rawEnd_ - pendingSkip_;
}

std::size_t WebFileReader::PeekAll(std::size_t most, const unsigned char*& bytes) {
    const std::size_t end = pendingSkip_ + most;
    // Room for one byte past the size, so that the read that takes the rest also finds the end.
    platform::FileStamp stamp;
    if (!rawEnded_ && file_.Stamp(stamp) && stamp.size < end) Grow(static_cast<std::size_t>(stamp.size) + 1);
    while (rawEnd_ < end && !rawEnded_) {
        if (rawEnd_ == rawCapacity_) Grow(std::min(end, 2 * rawCapacity_));
        const std::size_t room = std::min(end, rawCapacity_) - rawEnd_;
        const std::size_t got = file_.Read(Raw() + rawEnd_, room);
        rawEnded_ = got < room;
        rawEnd_ += got;
    }
    bytes = Raw() + pendingSkip_;
    return std::min(rawEnd_, end) - pendingSkip_;
}

std::size_t WebFileReader::PeekAllUnits(std::size_t most, const char16_t*& units) {
    const unsigned char* bytes = nullptr;
    const std::size_t count = PeekAll(2 * most, bytes);
    // A mark is two bytes: the text starts at a whole unit.
    units = raw_.get() + pendingSkip_ / 2;
    return count / 2;
}

void WebFileReader::Grow(std::size_t bytes) {
    if (bytes <= rawCapacity_) return;
    // Doubling keeps a run of ever longer files from growing the room at each one.
    const std::size_t units = (std::max(bytes, 2 * rawCapacity_) + 1) / 2;
    std::unique_ptr<char16_t[]> grown(new char16_t[units]);
    std::memcpy(grown.get(), Raw(), rawEnd_);
    block_ = reinterpret_cast<unsigned char*>(grown.get()) + (block_ - Raw());
    raw_ = std::move(grown);
    rawCapacity_ = 2 * units;
}

bool WebFileReader::NextBlock(std::size_t wanted) {
    if (pending_) return true;
    if (endOfInput_ || encoding_ == TextEncoding::NotText || byteCount_ == 0) return false;
    ReadBlock(wanted);
    pendingSkip_ = 0;
    return byteCount_ > 0;
}

std::size_t WebFileReader::ReadBlockText(char16_t* out) {
    if (available_ > 0) {
        const std::size_t count = available_;
        std::memcpy(out, position_, count * sizeof(char16_t));
        available_ = 0;
        return count;
    }
    if (!NextBlock(kWebBlockSize)) return 0;
    pending_ = false;
    return DecodeBlock(pendingSkip_, out, kWebBlockSize);
}

std::size_t WebFileReader::Read(char16_t* out, std::size_t count) {
    std::size_t copied = 0;
    while (copied < count) {
        if (available_ > 0) {
            const std::size_t part = std::min<std::size_t>(available_, count - copied);
            std::memcpy(out + copied, position_, part * sizeof(char16_t));
            copied += part;
            position_ += part;
            available_ -= static_cast<std::uint32_t>(part);
            continue;
        }
        if (!NextBlock(BytesFor(count - copied))) break;
        pending_ = false;
        // A block never yields more code units than it has bytes (half as many in UTF-16).
        const std::size_t bytes = byteCount_ - std::min<std::size_t>(byteCount_, pendingSkip_);
        if (count - copied >= (encoding_ == TextEncoding::Utf16Le ? bytes / 2 : bytes)) {
            const std::size_t produced = DecodeBlock(pendingSkip_, out + copied, count - copied);
            if (produced == 0) break;
            copied += produced;
        } else {
            available_ = static_cast<std::uint32_t>(DecodeBlock(pendingSkip_, units_, kWebBlockSize));
            position_ = units_;
            if (available_ == 0) break;
        }
    }
    return copied;
}

}  // namespace linkloom
