#include "core/WebFileReader.h"

#include <algorithm>
#include <cstring>

#include "base/PathText.h"
#include "platform/CodePages.h"
#include "platform/NativePath.h"
#include "platform/TextCompare.h"

namespace linkloom {

namespace {

bool IsControlByte(unsigned char byte) { return byte <= 8 || (byte >= 14 && byte <= 31); }

bool StartsWith(const unsigned char* block, std::size_t size, const char* mark, std::size_t length) {
    return size >= length && std::memcmp(block, mark, length) == 0;
}

bool HasExtension(const String& path, const char16_t* extension) {
    const auto found = FileExtension(path, platform::kNativePathStyle);
    return found && platform::CompareNoCase(*found, extension) == 0;
}

// Passes when the bytes could be UTF-8: a lead byte opens a sequence of up to five continuation
// bytes, and nothing but a continuation may follow a lead byte.
bool PassesUtf8Check(const unsigned char* block, std::size_t size) {
    constexpr int kFree = -1;
    int allowed = kFree;
    bool afterLead = false;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char byte = block[i];
        const bool continuation = (byte & 0xC0) == 0x80;
        if (!continuation && afterLead) return false;
        if ((byte & 0x80) == 0) {
            allowed = kFree;
        } else if (!continuation) {
            allowed = 5;
        } else if (allowed <= 0) {
            return false;
        } else {
            --allowed;
        }
        afterLead = (byte & 0xC0) == 0xC0;
    }
    return true;
}

}  // namespace

bool HasControlBytes(const unsigned char* block, std::size_t size) {
    if (!block) return true;
    const std::size_t end = std::min<std::size_t>(size, 512);
    for (std::size_t i = 0; i < end; ++i) {
        if (IsControlByte(block[i])) return true;
    }
    return false;
}

TextVerdict DetectTextEncoding(const unsigned char* block, std::size_t size) {
    if (StartsWith(block, size, "\xFF\xFE", 2)) return TextVerdict::Utf16Le;
    if (StartsWith(block, size, "\xEF\xBB\xBF", 3)) return TextVerdict::Utf8;
    const bool control = HasControlBytes(block, size);
    if (size < 4) return control ? TextVerdict::NotText : TextVerdict::EightBit;
    const std::size_t n = std::min<std::size_t>(size, 2048);
    if (!control && std::none_of(block, block + n, [](unsigned char byte) { return (byte & 0x80) != 0; })) {
        return TextVerdict::EightBit;
    }
    const bool unicode = size % 2 == 0 && !IsControlByte(block[0]) && platform::LooksLikeUtf16(block, size);
    if (control || unicode) return unicode ? TextVerdict::Utf16Le : TextVerdict::NotText;
    return PassesUtf8Check(block, n) ? TextVerdict::Utf8 : TextVerdict::EightBit;
}

WebFileReader::OpenResult WebFileReader::Open(const String& path) {
    position_ = nullptr;
    available_ = 0;
    if (HasExtension(path, u"pdf")) {
        encoding_ = TextEncoding::NotText;
        return OpenResult::NoText;
    }
    file_.Close();
    endOfInput_ = false;
    byteCount_ = 0;
    if (!file_.Open(path)) return OpenResult::CannotOpen;

    ReadBlock();
    if (byteCount_ == 0) {
        encoding_ = TextEncoding::Ansi;
        return OpenResult::NoText;
    }
    std::size_t skip = 0;
    if (StartsWith(bytes_, byteCount_, "\xFF\xFE", 2)) {
        encoding_ = TextEncoding::Utf16Le;
        skip = 2;
    } else if (StartsWith(bytes_, byteCount_, "\xEF\xBB\xBF", 3)) {
        encoding_ = TextEncoding::Utf8;
        skip = 3;
    } else {
        switch (DetectTextEncoding(bytes_, byteCount_)) {
        case TextVerdict::Utf16Le: encoding_ = TextEncoding::Utf16Le; break;
        case TextVerdict::Utf8: encoding_ = TextEncoding::Utf8; break;
        default: encoding_ = TextEncoding::Ansi; break;
        }
    }
    if (encoding_ != TextEncoding::Utf16Le && (HasControlBytes(bytes_, byteCount_) || HasExtension(path, u"rtf"))) {
        encoding_ = TextEncoding::NotText;
        return OpenResult::NoText;
    }
    return DecodeBlock(skip) > 0 ? OpenResult::TextReady : OpenResult::NoText;
}

void WebFileReader::ReadBlock() {
    byteCount_ = static_cast<std::uint32_t>(file_.Read(bytes_, kWebBlockSize));
    bytes_[byteCount_] = 0;
    if (byteCount_ < kWebBlockSize) endOfInput_ = true;
}

std::size_t WebFileReader::DecodeBlock(std::size_t skip) {
    std::size_t produced = 0;
    if (byteCount_ > skip) {
        const unsigned char* from = bytes_ + skip;
        std::size_t count = byteCount_ - skip;
        switch (encoding_) {
        case TextEncoding::Utf16Le:
            produced = count / 2;
            std::memcpy(units_, from, produced * 2);
            break;
        case TextEncoding::Utf8: {
            if (!endOfInput_) {
                // The last multi-byte sequence goes to the next block whole, even when complete,
                // so that no character is split at the seam.
                std::size_t back = 0;
                while (back < count && (from[count - 1 - back] & 0x80)) {
                    ++back;
                    if ((from[count - back] & 0xC0) == 0xC0) break;
                }
                if (back > 0 && back < count) {
                    file_.MoveBack(static_cast<std::uint32_t>(back));
                    count -= back;
                }
            }
            produced = platform::DecodeUtf8(from, count, units_, kWebBlockSize + 1);
            break;
        }
        default:
            produced = platform::DecodeAnsi(from, count, units_, kWebBlockSize + 1);
            break;
        }
    }
    byteCount_ = 0;
    units_[produced] = 0;
    available_ = static_cast<std::uint32_t>(produced);
    position_ = produced > 0 ? units_ : nullptr;
    return produced;
}

std::size_t WebFileReader::Read(char16_t* out, std::size_t count) {
    if (!position_) return 0;
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
        if (endOfInput_) break;
        ReadBlock();
        if (byteCount_ == 0 || DecodeBlock(0) == 0) break;
    }
    return copied;
}

}  // namespace linkloom
