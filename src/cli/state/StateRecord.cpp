#include "cli/state/StateRecord.h"

#include "cli/state/StagedFile.h"
#include "platform/FileNames.h"
#include "platform/ReadFile.h"

namespace linkloom::cli {

namespace {

// The first line of each kind of record; the first version's held hashes of bytes.
constexpr std::string_view kBytesLine = "linkloom-state 2 bytes";
constexpr std::string_view kContentLine = "linkloom-state 2 content";
constexpr std::string_view kFirstVersionLine = "linkloom-state 1";
// An editor may put a byte-order mark before the first line.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kHashDigits = 16;
constexpr char kNoLastmod[] = "-";
constexpr std::size_t kReadSize = 1 << 16;
// Longer than any line this program writes: a hash, a lastmod and a location of 2,048 characters
// of at most three bytes each.
constexpr std::size_t kMostLine = 8192;

bool ParseHash(std::string_view text, std::uint64_t& hash) {
    if (text.size() != kHashDigits) return false;
    hash = 0;
    for (const char digit : text) {
        int value;
        if (digit >= '0' && digit <= '9') {
            value = digit - '0';
        } else if (digit >= 'a' && digit <= 'f') {
            value = digit - 'a' + 10;
        } else {
            return false;
        }
        hash = hash << 4 | static_cast<std::uint64_t>(value);
    }
    return true;
}

void AppendHash(std::string& out, std::uint64_t hash) {
    static constexpr char kDigits[] = "0123456789abcdef";
    for (int shift = 60; shift >= 0; shift -= 4) out += kDigits[(hash >> shift) & 0xF];
}

// The key of a page's line: its hash and its location.
std::string KeyOf(std::uint64_t hash, std::string_view location) {
    std::string key;
    key.reserve(kHashDigits + 1 + location.size());
    AppendHash(key, hash);
    key += ' ';
    key += location;
    return key;
}

}  // namespace

std::optional<platform::SystemError> StateRecord::Load(const String& path, UrlChanges* published) {
    earlier_.clear();
    earlierKind_ = kind_;
    platform::SequentialFile file;
    // A link to a file not made yet leads to an empty record, as -o would create its file.
    const platform::OutputTarget target = platform::ResolveOutputTarget(path);
    if (target.kind == platform::OutputKind::Missing) return std::nullopt;
    if (auto failure = file.Open(target.path)) return failure;
    std::string buffer(kReadSize, '\0');
    std::string line;
    std::size_t number = 0;
    const auto take = [&]() {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (++number == 1) {
            std::string_view first(line);
            if (first.substr(0, kByteOrderMark.size()) == kByteOrderMark) first.remove_prefix(kByteOrderMark.size());
            if (first == kContentLine) {
                earlierKind_ = PageHashKind::Content;
                return true;
            }
            earlierKind_ = PageHashKind::Bytes;
            return first == kBytesLine || first == kFirstVersionLine;
        }
        const std::size_t first = line.find(' ');
        const std::size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
        std::uint64_t hash = 0;
        if (second == std::string::npos || second == first + 1 || second + 1 == line.size() ||
            !ParseHash(std::string_view(line).substr(0, first), hash)) {
            return false;
        }
        const std::string lastmod = line.substr(first + 1, second - first - 1);
        if (published)
            published->Published(std::string_view(line).substr(second + 1), lastmod == kNoLastmod ? "" : lastmod);
        String& kept = earlier_[KeyOf(hash, std::string_view(line).substr(second + 1))];
        // Pages of the same bytes at one location keep the newest of their dates, as the merged entry did;
        // one run writes every date in one form, so text order is time order.
        if (lastmod == kNoLastmod) return true;
        String date = String::FromUtf8(lastmod);
        if (date.Text() > kept.Text()) kept = std::move(date);
        return true;
    };
    bool ok = true;
    for (std::size_t got; ok && (got = file.Read(buffer.data(), buffer.size())) > 0;) {
        std::string_view chunk(buffer.data(), got);
        while (ok && !chunk.empty()) {
            const std::size_t end = chunk.find('\n');
            line.append(chunk.substr(0, end));
            if (line.size() > kMostLine) {
                ++number;
                ok = false;
            } else if (end == std::string_view::npos) {
                break;
            } else {
                ok = take();
                line.clear();
                chunk.remove_prefix(end + 1);
            }
        }
        if (got < buffer.size()) break;
    }
    // The last line needs no line break, but must be whole.
    if (ok && !line.empty()) ok = take();
    if (ok) return std::nullopt;
    earlier_.clear();
    return platform::OwnFailure(
        String(u"line ") + String::FromInt(static_cast<long long>(number)) + u" is not a line of a state record", path,
        platform::Action::Read);
}

std::optional<platform::SystemError> StateRecord::Stage(FileSetTransaction& change, const String& path) const {
    return StageFile(change, path, {kind_ == PageHashKind::Content ? kContentLine : kBytesLine, "\n", written_});
}

std::optional<platform::SystemError> StateRecord::Save(const String& path) const {
    FileSetTransaction change;
    if (auto failure = Stage(change, path)) return failure;
    return change.Commit([] { return true; });
}

const String* StateRecord::Recorded(const String& location, std::uint64_t hash) const {
    const auto found = earlier_.find(KeyOf(hash, location.ToUtf8()));
    if (found == earlier_.end() || found->second.IsEmpty()) return nullptr;
    return &found->second;
}

void StateRecord::Note(const String& location, std::uint64_t hash, const String& lastmod) {
    AppendHash(written_, hash);
    written_ += ' ';
    written_ += lastmod.IsEmpty() ? std::string(kNoLastmod) : lastmod.ToUtf8();
    written_ += ' ';
    written_ += location.ToUtf8();
    written_ += '\n';
}

}  // namespace linkloom::cli
