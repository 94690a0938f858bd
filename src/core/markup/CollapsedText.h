#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace linkloom {

// Text gathered piece by piece whose HTML white space collapses to one space, none at either end,
// and pieces kept as they are between it. The pieces are only copied as they come; the white space
// is collapsed once, in place, when the text is asked for: a page's text comes in many short
// pieces. Its buffers are reused from one Clear to the next.
class CollapsedText {
public:
    void Clear();
    // Inline: a page's text comes in many pieces of a few bytes.
    void Append(std::string_view text) {
        const std::size_t size = text.size();
        const std::size_t length = length_;
        if (raw_.size() - length < size) Grow(size);
        // Set before the bytes are written: a write of a char may alias the members, which would
        // then be read again.
        length_ = length + size;
        char* const out = raw_.data() + length;
        const char* const in = text.data();
        // Most pieces are short: two copies of a fixed size that overlap cost less than a call.
        if (size >= kWord && size <= 2 * kWord) {
            std::memcpy(out, in, kWord);
            std::memcpy(out + size - kWord, in + size - kWord, kWord);
        } else if (size < kWord) {
            for (std::size_t i = 0; i < size; ++i) out[i] = in[i];
        } else if (size <= 4 * kWord) {
            std::memcpy(out, in, 2 * kWord);
            std::memcpy(out + size - 2 * kWord, in + size - 2 * kWord, 2 * kWord);
        } else {
            std::memcpy(out, in, size);
        }
    }
    // White space, of any length: a space before what follows, if anything.
    void AppendBlank() {
        if (raw_.size() == length_) Grow(1);
        raw_[length_++] = ' ';
    }
    // A piece kept as it is; a space before it stands for white space between it and earlier text.
    void AppendVerbatim(std::string_view piece);
    // The text, collapsed; valid until the next change.
    std::string_view Text();

private:
    // Room for `count` more bytes.
    void Grow(std::size_t count);
    // Collapses the text in [from, to) of the buffer to `out`, at or before `from`.
    char* Collapse(const char* from, const char* to, char* out, bool& pending) const;

    static constexpr std::size_t kWord = 8;

    std::string raw_;  // grows and is written in place; the pieces are its first `length_` bytes
    std::size_t length_ = 0;
    std::vector<std::pair<std::size_t, std::size_t>> verbatim_;  // where each kept piece starts and ends
    bool collapsed_ = false;
};

}  // namespace linkloom
