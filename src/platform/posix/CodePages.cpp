#include "platform/CodePages.h"

namespace linkloom::platform {

namespace {

// Windows-1252 from 0x80 to 0x9F; the five unassigned bytes map to the C1 control of that value.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char16_t kReplacement = 0xFFFD;

// Length of the well-formed UTF-8 sequence at `at` and its code point; 0 when there is none.
std::size_t SequenceAt(const unsigned char* bytes, std::size_t count, std::size_t at, char32_t& code) {
    const unsigned char lead = bytes[at];
    std::size_t length;
    char32_t minimum;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2; minimum = 0x80; code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3; minimum = 0x800; code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4; minimum = 0x10000; code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > count) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((bytes[at + i] & 0xC0) != 0x80) return 0;
        code = (code << 6) | (bytes[at + i] & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

std::size_t DecodeAnsi(const unsigned char* bytes, std::size_t count, char16_t* out, std::size_t room) {
    std::size_t written = 0;
    for (std::size_t i = 0; i < count && written < room; ++i) {
        const unsigned char byte = bytes[i];
        out[written++] = byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
    }
    return written;
}

std::size_t DecodeUtf8(const unsigned char* bytes, std::size_t count, char16_t* out, std::size_t room) {
    std::size_t written = 0;
    for (std::size_t at = 0; at < count && written < room;) {
        if (bytes[at] < 0x80) {
            out[written++] = bytes[at++];
            continue;
        }
        char32_t code;
        const std::size_t length = SequenceAt(bytes, count, at, code);
        if (length == 0) {
            out[written++] = kReplacement;
            ++at;
        } else if (code >= 0x10000) {
            if (written + 2 > room) break;
            out[written++] = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out[written++] = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
            at += length;
        } else {
            out[written++] = static_cast<char16_t>(code);
            at += length;
        }
    }
    return written;
}

bool LooksLikeUtf16(const unsigned char* bytes, std::size_t count) {
    // Little-endian UTF-16 of mostly Latin text: most high bytes are zero while their low bytes
    // are not. 8-bit text has no zero bytes at all, and big-endian text has them the other way.
    const std::size_t units = count / 2;
    if (units == 0) return false;
    std::size_t latin = 0, reversed = 0;
    for (std::size_t i = 0; i < units; ++i) {
        const unsigned char low = bytes[2 * i], high = bytes[2 * i + 1];
        if (high == 0 && low != 0) ++latin;
        if (low == 0 && high != 0) ++reversed;
    }
    return latin * 2 > units && reversed * 8 < units;
}

}  // namespace linkloom::platform
