#include "core/rules/RecordSpool.h"

#include <algorithm>
#include <cstring>

namespace linkloom {

namespace {

// Bytes gathered before they are written.
constexpr std::size_t kSpillSize = 1 << 20;
// Bytes read at once: a read that runs on from the last one reads ahead, as reading the
// records back in order does; any other reads about one record.
constexpr std::size_t kReadAhead = 1 << 20;
constexpr std::size_t kReadOne = 4096;

}  // namespace

void RecordSpool::Writer::Count(std::uint32_t count) {
    out_.append(reinterpret_cast<const char*>(&count), sizeof count);
}

void RecordSpool::Writer::Text(const String& text) {
    Count(static_cast<std::uint32_t>(text.Length()));
    out_.append(reinterpret_cast<const char*>(text.Text().data()), text.Length() * sizeof(char16_t));
}

void RecordSpool::Writer::Bytes(std::string_view bytes) {
    Count(static_cast<std::uint32_t>(bytes.size()));
    out_.append(bytes);
}

std::uint32_t RecordSpool::Reader::Count() {
    std::uint32_t count;
    std::memcpy(&count, at_, sizeof count);
    at_ += sizeof count;
    return count;
}

String RecordSpool::Reader::Text() {
    const std::uint32_t length = Count();
    std::u16string text(length, u'\0');
    std::memcpy(text.data(), at_, length * sizeof(char16_t));
    at_ += length * sizeof(char16_t);
    return String(std::move(text));
}

bool RecordSpool::Reader::TextIs(std::u16string_view text) {
    const std::uint32_t length = Count();
    const bool same = length == text.size() && std::memcmp(at_, text.data(), length * sizeof(char16_t)) == 0;
    at_ += length * sizeof(char16_t);
    return same;
}

void RecordSpool::Reader::SkipText() { at_ += Count() * sizeof(char16_t); }

std::string_view RecordSpool::Reader::Bytes() {
    const std::uint32_t size = Count();
    const std::string_view bytes(at_, size);
    at_ += size;
    return bytes;
}

RecordSpool::RecordSpool() {
    // Without a scratch file the records stay in memory.
    platform::ScratchFile::Create(file_);
}

std::size_t RecordSpool::Begin() {
    const std::size_t start = held_.size();
    held_.append(sizeof(std::uint32_t), '\0');  // the record's size, set at its end
    return start;
}

std::uint64_t RecordSpool::End(std::size_t start) {
    const std::uint64_t at = end_;
    const auto size = static_cast<std::uint32_t>(held_.size() - start);
    std::memcpy(held_.data() + start, &size, sizeof size);
    end_ += size;
    if (held_.size() >= kSpillSize) Spill();
    return at;
}

void RecordSpool::Spill() {
    if (!file_.IsOpen()) return;
    if (!file_.Write(inFile_, held_.data(), held_.size())) {
        file_ = platform::ScratchFile();  // a full disk: the rest stays in memory
        return;
    }
    inFile_ += held_.size();
    held_.clear();
}

const char* RecordSpool::Bytes(std::uint64_t at, std::size_t size) const {
    if (at >= inFile_) return held_.data() + (at - inFile_);
    const std::uint64_t windowEnd = windowAt_ + window_.size();
    if (at < windowAt_ || at + size > windowEnd) {
        const bool onward = at >= windowAt_ && at <= windowEnd && !window_.empty();
        const std::size_t wanted = std::max(onward ? kReadAhead : kReadOne, size);
        window_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(wanted, inFile_ - at)));
        windowAt_ = at;
        if (!file_.Read(at, window_.data(), window_.size())) window_.assign(window_.size(), '\0');
    }
    return window_.data() + (at - windowAt_);
}

RecordSpool::Reader RecordSpool::Read(std::uint64_t at) const {
    std::uint32_t size;
    std::memcpy(&size, Bytes(at, sizeof size), sizeof size);
    return Reader(Bytes(at, size) + sizeof size);
}

}  // namespace linkloom
