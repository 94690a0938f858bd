#include "cli/state/StateRecord.h"

#include <charconv>
#include <utility>

#include "base/AsciiCharacters.h"
#include "cli/state/StagedFile.h"
#include "platform/Clock.h"
#include "platform/FileNames.h"
#include "platform/ReadFile.h"
#include "platform/UnixTime.h"

namespace linkloom::cli {

namespace {

// The first line of each kind of record, before the time its run began; the first version's held
// hashes of bytes, and the first two no file's size and time.
constexpr std::string_view kBytesLine = "linkloom-state 3 bytes ";
constexpr std::string_view kContentLine = "linkloom-state 3 content ";
constexpr std::string_view kSecondBytesLine = "linkloom-state 2 bytes";
constexpr std::string_view kSecondContentLine = "linkloom-state 2 content";
constexpr std::string_view kFirstVersionLine = "linkloom-state 1";
// A file written this close to the start of the run that recorded it may have changed again
// within one tick of a coarse file clock, so it is read again.
constexpr platform::FileTime kSettledTime = 2 * platform::kFileTimeUnitsPerSecond;
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

bool ParseNumber(std::string_view text, std::uint64_t& number) {
    const char* end = text.data() + text.size();
    return !text.empty() && std::from_chars(text.data(), end, number).ptr == end;
}

// The next field of a line, up to a space, taken off `rest`; empty when there is none.
std::string_view TakeField(std::string_view& rest) {
    const std::size_t end = rest.find(' ');
    if (end == std::string_view::npos) return {};
    const std::string_view field = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    return field;
}

// A file's path as one field: '%' written "%25", spaces and control characters the same way.
void AppendPath(std::string& out, std::string_view path) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte == 0x7F || c == '%') {
            out += '%';
            out += kDigits[byte >> 4];
            out += kDigits[byte & 0xF];
        } else {
            out += c;
        }
    }
}

bool ParsePath(std::string_view field, std::string& path) {
    path.clear();
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '%') {
            path += field[i];
            continue;
        }
        const int high = i + 2 < field.size() ? HexDigitValue(field[i + 1]) : -1;
        const int low = high < 0 ? -1 : HexDigitValue(field[i + 2]);
        if (low < 0) return false;
        path += static_cast<char>(high << 4 | low);
        i += 2;
    }
    return !path.empty();
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
    known_.clear();
    earlierKind_ = kind_;
    stamped_ = false;
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
        if (++number == 1) return TakeHeader(line);
        std::string_view rest(line);
        std::uint64_t hash = 0;
        if (!ParseHash(TakeField(rest), hash)) return false;
        const std::string_view lastmod = TakeField(rest);
        std::uint64_t size = 0, written = 0;
        std::string path;
        if (stamped_ && !(ParseNumber(TakeField(rest), size) && ParseNumber(TakeField(rest), written) &&
                          ParsePath(TakeField(rest), path))) {
            return false;
        }
        if (lastmod.empty() || rest.empty()) return false;
        if (published) published->Published(rest, lastmod == kNoLastmod ? "" : std::string(lastmod));
        if (stamped_ && earlierKind_ == kind_ && written + kSettledTime <= earlierBegan_) {
            known_[std::move(path)] = {{written, size}, hash};
        }
        String& kept = earlier_[KeyOf(hash, rest)];
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
    known_.clear();
    return platform::OwnFailure(
        String(u"line ") + String::FromInt(static_cast<long long>(number)) + u" is not a line of a state record", path,
        platform::Action::Read);
}

bool StateRecord::TakeHeader(std::string_view line) {
    if (line.substr(0, kByteOrderMark.size()) == kByteOrderMark) line.remove_prefix(kByteOrderMark.size());
    static constexpr std::pair<std::string_view, PageHashKind> kStampedLines[] = {
        {kBytesLine, PageHashKind::Bytes}, {kContentLine, PageHashKind::Content}};
    for (const auto& [start, kind] : kStampedLines) {
        if (line.substr(0, start.size()) == start) {
            earlierKind_ = kind;
            stamped_ = true;
            return ParseNumber(line.substr(start.size()), earlierBegan_);
        }
    }
    earlierKind_ = line == kSecondContentLine ? PageHashKind::Content : PageHashKind::Bytes;
    return line == kSecondContentLine || line == kSecondBytesLine || line == kFirstVersionLine;
}

std::optional<platform::SystemError> StateRecord::Stage(FileSetTransaction& change, const String& path) const {
    const std::string header =
        std::string(kind_ == PageHashKind::Content ? kContentLine : kBytesLine) + std::to_string(began_) + "\n";
    return StageFile(change, path, {header, written_});
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

std::optional<std::uint64_t> StateRecord::KnownHash(const String& path, const platform::FileStamp& stamp) const {
    const auto found = known_.find(path.ToUtf8());
    if (found == known_.end() || found->second.stamp.written != stamp.written ||
        found->second.stamp.size != stamp.size) {
        return std::nullopt;
    }
    return found->second.hash;
}

void StateRecord::Note(const String& location, std::uint64_t hash, const String& lastmod, const String& path,
                       const platform::FileStamp& stamp) {
    AppendHash(written_, hash);
    written_ += ' ';
    written_ += lastmod.IsEmpty() ? std::string(kNoLastmod) : lastmod.ToUtf8();
    written_ += ' ';
    written_ += std::to_string(stamp.size);
    written_ += ' ';
    written_ += std::to_string(stamp.written);
    written_ += ' ';
    AppendPath(written_, path.ToUtf8());
    written_ += ' ';
    written_ += location.ToUtf8();
    written_ += '\n';
}

}  // namespace linkloom::cli
