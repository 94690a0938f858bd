#pragma once

#include <cstddef>
#include <limits>

#include "base/String.h"

namespace linkloom {

// The growing text of one document. The capacity doubles whenever the array is full; once a
// reallocation fails (or the capacity would pass `maxCapacity`) the buffer is marked failed and
// keeps nothing more, so that a document with dropped text is never handed out.
class SitemapBuffer {
public:
    explicit SitemapBuffer(std::size_t capacity = 1024,
                           std::size_t maxCapacity = std::numeric_limits<std::size_t>::max() / 4);
    ~SitemapBuffer();
    SitemapBuffer(const SitemapBuffer&) = delete;
    SitemapBuffer& operator=(const SitemapBuffer&) = delete;

    void Append(const char16_t* units, std::size_t count);
    void Append(const String& text) { Append(text.Data(), text.Length()); }

    bool Failed() const { return failed_; }
    std::size_t Length() const { return length_; }
    String ToString() const { return String(std::u16string_view(data_, length_)); }

private:
    bool Grow();

    char16_t* data_ = nullptr;
    std::size_t length_ = 0;
    std::size_t capacity_ = 0;
    std::size_t maxCapacity_;
    bool failed_ = false;
};

}  // namespace linkloom
