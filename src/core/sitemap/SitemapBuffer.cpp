#include "core/sitemap/SitemapBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace linkloom {

SitemapBuffer::SitemapBuffer(std::size_t capacity, std::size_t maxCapacity) : maxCapacity_(maxCapacity) {
    if (capacity > maxCapacity_) {
        failed_ = true;
        return;
    }
    data_ = static_cast<char16_t*>(std::malloc(capacity * sizeof(char16_t)));
    if (data_ || capacity == 0) {
        capacity_ = capacity;
    } else {
        failed_ = true;
    }
}

SitemapBuffer::~SitemapBuffer() { std::free(data_); }

bool SitemapBuffer::Grow() {
    const std::size_t wanted = capacity_ == 0 ? 1 : capacity_ * 2;
    if (wanted > maxCapacity_) return false;
    auto* grown = static_cast<char16_t*>(std::realloc(data_, wanted * sizeof(char16_t)));
    if (!grown) return false;
    data_ = grown;
    capacity_ = wanted;
    return true;
}

void SitemapBuffer::Append(const char16_t* units, std::size_t count) {
    while (count > 0 && !failed_) {
        if (length_ == capacity_ && !Grow()) {
            failed_ = true;
            return;
        }
        const std::size_t part = std::min(count, capacity_ - length_);
        std::memcpy(data_ + length_, units, part * sizeof(char16_t));
        length_ += part;
        units += part;
        count -= part;
    }
}

}  // namespace linkloom
