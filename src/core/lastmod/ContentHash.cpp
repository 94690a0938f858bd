#include "core/lastmod/ContentHash.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

#include <algorithm>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/AsciiCharacters.h"
#include "base/Utf8.h"
#include "core/page/WebFileReader.h"
#include "platform/ReadFile.h"

namespace linkloom {

namespace {

constexpr std::size_t kReadSize = 1 << 16;
// A larger file is hashed by its bytes alone: its main content is not read into memory.
constexpr std::size_t kMostMarkup = 64 << 20;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";

// Writes the ASCII code units that start UTF-16LE `bytes` (of `units` units) to `out` as bytes;
// returns their number.
std::size_t NarrowAscii(const char* bytes, std::size_t units, char* out) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // Eight units at a time: ASCII has no bit above the lowest seven.
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
    for (; i + 8 <= units; i += 8) {
        const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 2 * i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(eight, high), _mm_setzero_si128())) != 0xFFFF) break;
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(eight, eight));
    }
#endif
    for (; i < units && bytes[2 * i + 1] == 0 && static_cast<unsigned char>(bytes[2 * i]) < 0x80; ++i) {
        out[i] = bytes[2 * i];
    }
    return i;
}

// UTF-16LE bytes as UTF-8; an unpaired surrogate becomes U+FFFD. Returns the UTF-8, at the start
// of `out`, whose size only grows: filling what it adds costs as much as the narrowing.
std::string_view Utf16ToUtf8(std::string_view bytes, std::string& out) {
    // A code unit takes at most three bytes.
    if (out.size() < bytes.size() / 2 * 3) out.resize(bytes.size() / 2 * 3);
    char* written = out.data();
    const std::size_t units = bytes.size() / 2;
    const auto unit = [&](std::size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    };
    std::string sequence;
    for (std::size_t i = 0; i < units;) {
        // A stretch of ASCII, most of a page's markup, is narrowed at once.
        const std::size_t ascii = NarrowAscii(bytes.data() + 2 * i, units - i, written);
        written += ascii;
        i += ascii;
        if (i == units) break;
        const char16_t first = unit(i++);
        sequence.clear();
        if (IsHighSurrogate(first) && i < units && IsLowSurrogate(unit(i))) {
            AppendUtf8(sequence, CombineSurrogates(first, unit(i++)));
        } else {
            AppendUtf8(sequence, IsSurrogate(first) ? kReplacementCharacter : first);
        }
        written = std::copy(sequence.begin(), sequence.end(), written);
    }
    return std::string_view(out.data(), written - out.data());
}

}  // namespace

struct ContentHasher::State {
    XXH3_state_t xxh3;
};

ContentHasher::ContentHasher() = default;

ContentHasher::~ContentHasher() = default;

bool ContentHasher::Hash(const platform::FolderHandle& folder, const String& name, std::uint64_t* bytes,
                         std::uint64_t* content) {
    platform::SequentialFile file;
    if (file.Open(folder, name)) return false;
    Hash(file, bytes, content);
    return true;
}

void ContentHasher::Hash(platform::SequentialFile& file, std::uint64_t* bytes, std::uint64_t* content) {
    // Made at the first file: most readers never hash one.
    if (!state_) {
        state_ = std::make_unique<State>();
        buffer_.resize(kReadSize);
    }
    // With the content asked for, the file is kept whole while it fits, and its bytes are hashed
    // only when their hash is needed; otherwise the buffer is reused for each read and hashed as
    // it comes.
    kept_ = 0;
    whole_ = content != nullptr;
    if (!whole_) XXH3_64bits_reset(&state_->xxh3);
    for (std::size_t got;;) {
        if (whole_ && buffer_.size() - kept_ < kReadSize) {
            if (buffer_.size() >= kMostMarkup) {
                whole_ = false;
                XXH3_64bits_reset(&state_->xxh3);
                XXH3_64bits_update(&state_->xxh3, buffer_.data(), kept_);
            } else {
                buffer_.resize(std::min(buffer_.size() * 2, kMostMarkup));
            }
        }
        if (!whole_) kept_ = 0;
        const std::size_t room = std::min(buffer_.size() - kept_, kReadSize);
        got = file.Read(buffer_.data() + kept_, room);
        if (!whole_) XXH3_64bits_update(&state_->xxh3, buffer_.data() + kept_, got);
        kept_ += got;
        if (got < room) break;
    }
    const auto byteHash = [&] {
        return whole_ ? XXH3_64bits(buffer_.data(), kept_) : XXH3_64bits_digest(&state_->xxh3);
    };
    if (bytes) *bytes = byteHash();
    if (content && !(whole_ && HashMarkup(*content))) *content = bytes ? *bytes : byteHash();
}

bool ContentHasher::HashMarkup(std::uint64_t& hash) {
    std::string_view text(reinterpret_cast<const char*>(buffer_.data()), kept_);
    if (text.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        text.remove_prefix(kUtf8Mark.size());
    } else if (text.substr(0, kUtf16Mark.size()) == kUtf16Mark ||
               DetectTextEncoding(buffer_.data(), std::min(kept_, kWebBlockSize)) == TextVerdict::Utf16Le) {
        if (text.substr(0, kUtf16Mark.size()) == kUtf16Mark) text.remove_prefix(kUtf16Mark.size());
        text = Utf16ToUtf8(text, utf8_);
    }
    const std::size_t first = std::find_if_not(text.begin(), text.end(), IsHtmlBlank<char>) - text.begin();
    if (first == text.size() || text[first] != '<') return false;
    const std::string_view main = mainContent_.Of(text);
    hash = XXH3_64bits(main.data(), main.size());
    return true;
}

}  // namespace linkloom
