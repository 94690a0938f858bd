#include "core/lastmod/GitIndex.h"

#include <cstdint>

#include "platform/UnixTime.h"

namespace linkloom {

namespace {

constexpr std::string_view kSignature = "DIRC";
// The fixed part of an entry: ten 32-bit stat fields, then the object name and 16 bits of flags.
constexpr std::size_t kStatFields = 40;
constexpr std::size_t kMtimeAt = 8;
constexpr std::size_t kModeAt = 24;
constexpr std::size_t kSizeAt = 36;
constexpr std::uint32_t kTypeMask = 0170000, kRegularFile = 0100000;
constexpr std::uint16_t kAssumeValid = 0x8000, kExtended = 0x4000, kStageMask = 0x3000;
// Of the extended flags: skip-worktree and intent-to-add.
constexpr std::uint16_t kNotInWorkTree = 0x4000 | 0x2000;
// An extension whose entries live in another file.
constexpr std::string_view kSplitIndex = "link";
// The cache of tree ids, the whole index's first: an empty path, "COUNT SUBTREES\n", and the tree's
// id unless COUNT is -1 (not known).
constexpr std::string_view kTreeCache = "TREE";
constexpr std::string_view kWholeIndexTree = std::string_view("\0", 1);

// The id of the tree the whole index makes, in hex, from the tree cache's bytes; empty when not known.
std::string WholeTreeId(std::string_view cache, std::size_t hashSize) {
    const std::size_t line = cache.find('\n');
    if (cache.substr(0, 1) != kWholeIndexTree || line == std::string_view::npos || cache.substr(1, 1) == "-" ||
        cache.size() < line + 1 + hashSize) {
        return std::string();
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char byte : cache.substr(line + 1, hashSize)) {
        hex += kDigits[static_cast<unsigned char>(byte) >> 4];
        hex += kDigits[static_cast<unsigned char>(byte) & 0xF];
    }
    return hex;
}

// Reads big-endian numbers from the front of the bytes.
class Bytes {
public:
    explicit Bytes(std::string_view bytes) : bytes_(bytes) {}
    bool Has(std::size_t count) const { return bytes_.size() >= count; }
    std::uint32_t Number(std::size_t at, std::size_t size) const {
        std::uint32_t value = 0;
        for (std::size_t index = 0; index < size; ++index)
            value = value << 8 | static_cast<unsigned char>(bytes_[at + index]);
        return value;
    }
    std::string_view View() const { return bytes_; }
    void Skip(std::size_t count) { bytes_.remove_prefix(count); }

private:
    std::string_view bytes_;
};

// The number that prefix-compressed paths of version 4 begin with.
bool ReadVarint(Bytes& bytes, std::size_t& value) {
    if (!bytes.Has(1)) return false;
    unsigned char byte = static_cast<unsigned char>(bytes.View()[0]);
    bytes.Skip(1);
    value = byte & 0x7f;
    while (byte & 0x80) {
        if (!bytes.Has(1) || value > (SIZE_MAX >> 8)) return false;
        byte = static_cast<unsigned char>(bytes.View()[0]);
        bytes.Skip(1);
        value = ((value + 1) << 7) | (byte & 0x7f);
    }
    return true;
}

}  // namespace

std::optional<GitIndex> GitIndex::Parse(std::string_view data, const std::string& prefix, std::size_t hashSize,
                                        platform::FileTime indexWritten) {
    Bytes bytes(data);
    if (!bytes.Has(12) || data.substr(0, 4) != kSignature) return std::nullopt;
    const std::uint32_t version = bytes.Number(4, 4);
    const std::uint32_t count = bytes.Number(8, 4);
    if (version < 2 || version > 4) return std::nullopt;
    bytes.Skip(12);
    GitIndex index;
    std::string path;
    const std::size_t fixed = kStatFields + hashSize + 2;
    for (std::uint32_t entry = 0; entry < count; ++entry) {
        if (!bytes.Has(fixed)) return std::nullopt;
        const std::uint32_t seconds = bytes.Number(kMtimeAt, 4), nanoseconds = bytes.Number(kMtimeAt + 4, 4);
        const std::uint32_t mode = bytes.Number(kModeAt, 4), fileSize = bytes.Number(kSizeAt, 4);
        const std::uint16_t flags = static_cast<std::uint16_t>(bytes.Number(kStatFields + hashSize, 2));
        std::size_t size = fixed;
        std::uint16_t extended = 0;
        if (flags & kExtended) {
            if (version < 3 || !bytes.Has(size + 2)) return std::nullopt;
            extended = static_cast<std::uint16_t>(bytes.Number(size, 2));
            size += 2;
        }
        bytes.Skip(size);
        if (version == 4) {
            std::size_t strip = 0;
            if (!ReadVarint(bytes, strip) || strip > path.size()) return std::nullopt;
            path.resize(path.size() - strip);
        } else {
            path.clear();
        }
        const std::size_t end = bytes.View().find('\0');
        if (end == std::string_view::npos) return std::nullopt;
        path.append(bytes.View().substr(0, end));
        // Versions 2 and 3 pad each entry with one to eight zeros to a multiple of eight bytes.
        const std::size_t padding = version == 4 ? 1 : 8 - (size + end) % 8;
        if (!bytes.Has(end + padding)) return std::nullopt;
        bytes.Skip(end + padding);

        platform::FileTime written = 0;
        const bool plain = (mode & kTypeMask) == kRegularFile && !(flags & (kAssumeValid | kStageMask)) &&
                           !(extended & kNotInWorkTree);
        if (!plain || path.compare(0, prefix.size(), prefix) != 0 ||
            !platform::FileTimeFromUnix(seconds, nanoseconds, written) || written >= indexWritten) {
            continue;
        }
        if (index.paths_.Add(std::string_view(path).substr(prefix.size())).second)
            index.recorded_.push_back({written, fileSize});
    }
    // A split index holds only the entries changed since the shared one it names.
    for (Bytes rest = bytes; rest.Has(8 + hashSize);) {
        const std::uint32_t size = rest.Number(4, 4);
        if (rest.View().substr(0, 4) == kSplitIndex) return std::nullopt;
        if (!rest.Has(8 + size)) break;
        if (rest.View().substr(0, 4) == kTreeCache)
            index.wholeTree_ = WholeTreeId(rest.View().substr(8, size), hashSize);
        rest.Skip(8 + size);
    }
    return index;
}

bool GitIndex::Unchanged(std::string_view path, const platform::FileStamp& stamp) const {
    // The index keeps the low 32 bits of a size.
    constexpr std::uint64_t kRecordedBits = 0xFFFFFFFF;
    const std::uint32_t number = paths_.Find(path);
    if (number == PathNumbers::kNone) return false;
    const platform::FileStamp& recorded = recorded_[number];
    return recorded.written == stamp.written && recorded.size == (stamp.size & kRecordedBits);
}

}  // namespace linkloom
