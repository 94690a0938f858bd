#include "core/lastmod/ContentHash.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

#include <algorithm>
#include <string_view>

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

// UTF-16LE bytes as UTF-8; an unpaired surrogate becomes U+FFFD.
void Utf16ToUtf8(std::string_view bytes, std::string& out) {
    out.clear();
    out.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    const auto unit = [&](std::size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    };
    for (std::size_t i = 0; i < units; ++i) {
        // A stretch of ASCII, most of a page's markup, is narrowed in place.
        std::size_t end = i;
        while (end < units && unit(end) < 0x80) ++end;
        if (end > i) {
            const std::size_t had = out.size();
            out.resize(had + end - i);
            for (std::size_t from = i; from < end; ++from) out[had + from - i] = static_cast<char>(unit(from));
            i = end - 1;
            continue;
        }
        const char16_t first = unit(i);
        if (IsHighSurrogate(first) && i + 1 < units && IsLowSurrogate(unit(i + 1))) {
            AppendUtf8(out, CombineSurrogates(first, unit(++i)));
        } else {
            AppendUtf8(out, IsSurrogate(first) ? kReplacementCharacter : first);
        }
    }
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
    // Made at the first file: most readers never hash one.
    if (!state_) {
        state_ = std::make_unique<State>();
        buffer_.resize(kReadSize);
    }
    XXH3_64bits_reset(&state_->xxh3);
    // With the content asked for, the file is kept whole while it fits; otherwise the buffer is
    // reused for each read.
    kept_ = 0;
    whole_ = content != nullptr;
    for (std::size_t got;;) {
        if (whole_ && buffer_.size() - kept_ < kReadSize) {
            if (buffer_.size() >= kMostMarkup) {
                whole_ = false;
            } else {
                buffer_.resize(std::min(buffer_.size() * 2, kMostMarkup));
            }
        }
        if (!whole_) kept_ = 0;
        const std::size_t room = std::min(buffer_.size() - kept_, kReadSize);
        got = file.Read(buffer_.data() + kept_, room);
        XXH3_64bits_update(&state_->xxh3, buffer_.data() + kept_, got);
        kept_ += got;
        if (got < room) break;
    }
    const std::uint64_t byteHash = XXH3_64bits_digest(&state_->xxh3);
    if (bytes) *bytes = byteHash;
    if (content && !(whole_ && HashMarkup(*content))) *content = byteHash;
    return true;
}

bool ContentHasher::HashMarkup(std::uint64_t& hash) {
    std::string_view text(reinterpret_cast<const char*>(buffer_.data()), kept_);
    if (text.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        text.remove_prefix(kUtf8Mark.size());
    } else if (text.substr(0, kUtf16Mark.size()) == kUtf16Mark ||
               DetectTextEncoding(buffer_.data(), std::min(kept_, kWebBlockSize)) == TextVerdict::Utf16Le) {
        if (text.substr(0, kUtf16Mark.size()) == kUtf16Mark) text.remove_prefix(kUtf16Mark.size());
        Utf16ToUtf8(text, utf8_);
        text = utf8_;
    }
    const std::size_t first = std::find_if_not(text.begin(), text.end(), IsHtmlBlank<char>) - text.begin();
    if (first == text.size() || text[first] != '<') return false;
    const std::string_view main = mainContent_.Of(text);
    hash = XXH3_64bits(main.data(), main.size());
    return true;
}

}  // namespace linkloom
