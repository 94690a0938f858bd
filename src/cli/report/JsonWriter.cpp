#include "cli/report/JsonWriter.h"

#include "base/ControlCharacters.h"
#include "base/Utf8.h"

namespace linkloom::cli {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendUnitEscape(std::string& out, char16_t unit) {
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHexDigits[(unit >> shift) & 0xF];
}

// The escape a unit needs in a JSON string, or 0 when it is written as it is.
char ShortEscape(char16_t unit) {
    switch (unit) {
    case u'"': return '"';
    case u'\\': return '\\';
    case u'\n': return 'n';
    case u'\r': return 'r';
    case u'\t': return 't';
    default: return 0;
    }
}

void AppendQuoted(std::string& out, std::u16string_view text) {
    out += '"';
    std::size_t plain = 0;  // the start of the run written as it is
    const auto flush = [&](std::size_t end) {
        out += String(std::u16string(text.substr(plain, end - plain))).ToUtf8();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsSurrogatePairAt(text, i)) {
            ++i;
            continue;
        }
        const char escape = ShortEscape(unit);
        // Line and paragraph separators end a line in JavaScript.
        const bool coded = IsControlCharacter(unit) || unit == 0x2028 || unit == 0x2029 || IsHighSurrogate(unit) ||
                           IsLowSurrogate(unit);
        if (!escape && !coded) continue;
        flush(i);
        plain = i + 1;
        if (escape) {
            out += '\\';
            out += escape;
        } else {
            AppendUnitEscape(out, unit);
        }
    }
    flush(text.size());
    out += '"';
}

}  // namespace

void JsonWriter::Separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (empty_.empty()) return;
    if (!empty_.back()) text_ += ',';
    empty_.back() = false;
}

JsonWriter& JsonWriter::BeginObject() {
    Separate();
    text_ += '{';
    empty_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    text_ += '}';
    empty_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    Separate();
    text_ += '[';
    empty_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    text_ += ']';
    empty_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view name) {
    Separate();
    AppendQuoted(text_, String::FromUtf8(name).Text());
    text_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::Value(const String& text) {
    Separate();
    AppendQuoted(text_, text.Text());
    return *this;
}

JsonWriter& JsonWriter::Value(long long number) {
    Separate();
    text_ += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::Value(std::uint64_t number) {
    Separate();
    text_ += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::Value(bool flag) {
    Separate();
    text_ += flag ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null() {
    Separate();
    text_ += "null";
    return *this;
}

}  // namespace linkloom::cli
