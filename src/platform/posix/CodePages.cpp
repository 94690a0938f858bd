#include "platform/CodePages.h"

#include <algorithm>

#include <cstring>

#include "base/TextScan.h"
#include "base/Utf8.h"

namespace linkloom::platform {

namespace {

// Windows-1252 from 0x80 to 0x9F; the five unassigned bytes map to the C1 control of that value.
constexpr char16_t kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Windows-1252 as a whole: ASCII and Latin-1 map to themselves, 0x80 to 0x9F by the table above.
struct AnsiTable {
    char16_t units[256];
    constexpr AnsiTable() : units() {
        for (int i = 0; i < 256; ++i) units[i] = i >= 0x80 && i < 0xA0 ? kWindows1252High[i - 0x80] : i;
    }
};
constexpr AnsiTable kAnsi;

// Writes what the decoder makes into a buffer.
struct UnitWriter {
    char16_t* out;
    void Unit(std::size_t at, char16_t unit) const { out[at] = unit; }
    // Writes the ASCII run that `bytes` starts with; returns its length.
    std::size_t Ascii(std::size_t at, const unsigned char* bytes, std::size_t count) const {
        return WidenAsciiRun(bytes, count, out + at);
    }
};

// Only counts what the decoder makes.
struct UnitCounter {
    void Unit(std::size_t, char16_t) const {}
    std::size_t Ascii(std::size_t, const unsigned char* bytes, std::size_t count) const {
        return AsciiRun(bytes, count);
    }
};

// UTF-8 to UTF-16 as MultiByteToWideChar converts it, handing each code unit to `sink`; at most
// `room` code units. Returns their number.
template <typename Sink>
std::size_t Utf8ToUnits(const unsigned char* bytes, std::size_t count, std::size_t room, const Sink& sink) {
    std::size_t written = 0;
    for (std::size_t at = 0; at < count && written < room;) {
        const unsigned char lead = bytes[at];
        if (lead < 0x80) {
            const std::size_t run = sink.Ascii(written, bytes + at, std::min(count - at, room - written));
            at += run;
            written += run;
            continue;
        }
        // Two- and three-byte sequences inline; the rest, and anything ill-formed, below.
        if (lead >= 0xC2 && lead <= 0xDF && at + 1 < count && IsUtf8Continuation(bytes[at + 1])) {
            sink.Unit(written++, static_cast<char16_t>(((lead & 0x1F) << 6) | (bytes[at + 1] & 0x3F)));
            at += 2;
            continue;
        }
        if ((lead & 0xF0) == 0xE0 && at + 2 < count && IsUtf8Continuation(bytes[at + 1]) &&
            IsUtf8Continuation(bytes[at + 2])) {
            const char16_t unit =
                static_cast<char16_t>(((lead & 0x0F) << 12) | ((bytes[at + 1] & 0x3F) << 6) | (bytes[at + 2] & 0x3F));
            if (unit >= 0x800 && !IsSurrogate(unit)) {
                sink.Unit(written++, unit);
                at += 3;
                continue;
            }
        }
        char32_t code;
        const std::size_t length = DecodeUtf8Sequence(bytes, count, at, code);
        if (length == 0) {
            sink.Unit(written++, kReplacementCharacter);
            ++at;
        } else if (code >= 0x10000) {
            if (written + 2 > room) break;
            sink.Unit(written++, HighSurrogateOf(code));
            sink.Unit(written++, LowSurrogateOf(code));
            at += length;
        } else {
            sink.Unit(written++, static_cast<char16_t>(code));
            at += length;
        }
    }
    return written;
}

}  // namespace

std::size_t DecodeAnsi(const unsigned char* bytes, std::size_t count, char16_t* out, std::size_t room) {
    const std::size_t written = std::min(count, room);
    for (std::size_t at = 0; at < written; ++at) {
        at += WidenAsciiRun(bytes + at, written - at, out + at);
        if (at < written) out[at] = kAnsi.units[bytes[at]];
    }
    return written;
}

std::size_t DecodeUtf8(const unsigned char* bytes, std::size_t count, char16_t* out, std::size_t room) {
    return Utf8ToUnits(bytes, count, room, UnitWriter{out});
}

std::size_t Utf8Length(const unsigned char* bytes, std::size_t count) {
    return Utf8ToUnits(bytes, count, static_cast<std::size_t>(-1), UnitCounter{});
}

bool LooksLikeUtf16(const unsigned char* bytes, std::size_t count) {
    // Little-endian UTF-16 of mostly Latin text: most high bytes are zero while their low bytes
    // are not. 8-bit text has no zero bytes at all, and big-endian text has them the other way.
    const std::size_t units = count / 2;
    if (units == 0) return false;
    // Without a zero byte no unit is Latin, and 8-bit text has none: the common case ends here.
    if (!std::memchr(bytes, 0, units * 2)) return false;
    std::size_t latin = 0, reversed = 0;
    for (std::size_t i = 0; i < units; ++i) {
        const unsigned char low = bytes[2 * i], high = bytes[2 * i + 1];
        latin += high == 0 && low != 0;
        reversed += low == 0 && high != 0;
    }
    return latin * 2 > units && reversed * 8 < units;
}

}  // namespace linkloom::platform
