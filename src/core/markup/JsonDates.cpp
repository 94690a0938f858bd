#include "core/markup/JsonDates.h"

#include "base/AsciiCharacters.h"

namespace linkloom {

namespace {

constexpr std::size_t npos = std::u16string_view::npos;

bool IsJsonBlank(char16_t unit) { return unit == u' ' || unit == u'\t' || unit == u'\n' || unit == u'\r'; }

// Reads the string that starts with the quote at `at` into `value`; the index after its closing
// quote, or npos when it is never closed or holds a broken escape.
std::size_t ReadString(std::u16string_view json, std::size_t at, std::u16string& value) {
    value.clear();
    for (std::size_t i = at + 1; i < json.size(); ++i) {
        const char16_t unit = json[i];
        if (unit == u'"') return i + 1;
        if (unit != u'\\') {
            value += unit;
            continue;
        }
        if (++i >= json.size()) return npos;
        switch (json[i]) {
        case u'b': value += u'\b'; break;
        case u'f': value += u'\f'; break;
        case u'n': value += u'\n'; break;
        case u'r': value += u'\r'; break;
        case u't': value += u'\t'; break;
        case u'u': {
            if (json.size() - i < 5) return npos;
            int code = 0;
            for (std::size_t digit = 1; digit <= 4; ++digit) {
                const int value16 = HexDigitValue(json[i + digit]);
                if (value16 < 0) return npos;
                code = code * 16 + value16;
            }
            value += static_cast<char16_t>(code);
            i += 4;
            break;
        }
        default: value += json[i]; break;
        }
    }
    return npos;
}

std::size_t SkipBlanks(std::u16string_view json, std::size_t at) {
    while (at < json.size() && IsJsonBlank(json[at])) ++at;
    return at;
}

}  // namespace

std::vector<std::u16string> DateModifiedValues(std::u16string_view json) {
    std::vector<std::u16string> values;
    std::u16string token, value;
    for (std::size_t at = json.find(u'"'); at != npos;) {
        const std::size_t after = ReadString(json, at, token);
        if (after == npos) break;
        const std::size_t colon = SkipBlanks(json, after);
        at = colon;
        if (token == u"dateModified" && colon < json.size() && json[colon] == u':') {
            const std::size_t start = SkipBlanks(json, colon + 1);
            if (start < json.size() && json[start] == u'"') {
                const std::size_t end = ReadString(json, start, value);
                if (end == npos) break;
                values.push_back(value);
                at = end;
            }
        }
        at = json.find(u'"', at);
    }
    return values;
}

}  // namespace linkloom
