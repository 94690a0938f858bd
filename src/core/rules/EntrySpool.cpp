#include "core/rules/EntrySpool.h"

#include <algorithm>
#include <cstring>

namespace linkloom {

namespace {

// Bytes gathered before they are written, and read ahead at once: entries mostly come back in
// the order they went in.
constexpr std::size_t kSpillSize = 1 << 20;
constexpr std::size_t kWindowSize = 1 << 20;

void PutCount(std::string& out, std::uint32_t count) {
    out.append(reinterpret_cast<const char*>(&count), sizeof count);
}

void PutText(std::string& out, const String& text) {
    PutCount(out, static_cast<std::uint32_t>(text.Length()));
    out.append(reinterpret_cast<const char*>(text.Text().data()), text.Length() * sizeof(char16_t));
}

// Reads what PutCount and PutText wrote, in turn.
class RecordReader {
public:
    explicit RecordReader(const char* bytes) : at_(bytes) {}
    std::uint32_t Count() {
        std::uint32_t count;
        std::memcpy(&count, at_, sizeof count);
        at_ += sizeof count;
        return count;
    }
    String Text() {
        const std::uint32_t length = Count();
        std::u16string text(length, u'\0');
        std::memcpy(text.data(), at_, length * sizeof(char16_t));
        at_ += length * sizeof(char16_t);
        return String(std::move(text));
    }

private:
    const char* at_;
};

}  // namespace

EntrySpool::EntrySpool() {
    // Without a scratch file the entries stay in memory.
    platform::ScratchFile::Create(file_);
}

std::uint64_t EntrySpool::Append(const SitemapEntry& entry, const String& path) {
    const std::uint64_t at = end_;
    const std::size_t start = held_.size();
    PutCount(held_, 0);  // the record's size, set below
    PutText(held_, entry.location);
    PutText(held_, entry.lastmod);
    PutText(held_, path);
    PutCount(held_, static_cast<std::uint32_t>(entry.alternates.size()));
    for (const Alternate& alternate : entry.alternates) {
        PutText(held_, alternate.language);
        PutText(held_, alternate.location);
    }
    const auto size = static_cast<std::uint32_t>(held_.size() - start);
    std::memcpy(held_.data() + start, &size, sizeof size);
    end_ += size;
    if (held_.size() >= kSpillSize) Spill();
    return at;
}

void EntrySpool::Spill() {
    if (!file_.IsOpen()) return;
    if (!file_.Write(inFile_, held_.data(), held_.size())) {
        file_ = platform::ScratchFile();  // a full disk: the rest stays in memory
        return;
    }
    inFile_ += held_.size();
    held_.clear();
}

const char* EntrySpool::Bytes(std::uint64_t at, std::size_t size) const {
    if (at >= inFile_) return held_.data() + (at - inFile_);
    if (at < windowAt_ || at + size > windowAt_ + window_.size()) {
        window_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(std::max(kWindowSize, size), inFile_ - at)));
        windowAt_ = at;
        if (!file_.Read(at, window_.data(), window_.size())) window_.assign(window_.size(), '\0');
    }
    return window_.data() + (at - windowAt_);
}

void EntrySpool::Load(std::uint64_t at, SitemapEntry& entry, String& path) const {
    std::uint32_t size;
    std::memcpy(&size, Bytes(at, sizeof size), sizeof size);
    RecordReader record(Bytes(at, size) + sizeof size);
    entry.location = record.Text();
    entry.lastmod = record.Text();
    path = record.Text();
    entry.alternates.resize(record.Count());
    for (Alternate& alternate : entry.alternates) {
        alternate.language = record.Text();
        alternate.location = record.Text();
    }
}

}  // namespace linkloom
