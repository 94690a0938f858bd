#include "core/markup/HeadTags.h"

#include <algorithm>

#include "base/AsciiCharacters.h"
#include "base/TextScan.h"
#include "base/Utf8.h"

namespace linkloom {

namespace {

constexpr std::size_t npos = std::u16string_view::npos;

String Lowered(std::u16string_view text) { return String(AsciiLowered(text)); }

std::size_t FindWord(std::u16string_view text, std::size_t from, std::string_view word) {
    if (from >= text.size()) return npos;
    const std::size_t at = FindAsciiNoCase(text.data() + from, text.size() - from, word);
    return at == npos ? npos : from + at;
}

// Reads the tag that starts at `at` (just after its name's first letter is known to be there):
// its lower-case name and attributes. Returns the index after its '>', or npos when the text
// ends first.
std::size_t ReadTag(std::u16string_view text, std::size_t at, HeadTag& tag) {
    std::size_t i = at + 1;
    const std::size_t nameStart = i;
    while (i < text.size() && !IsHtmlBlank(text[i]) && text[i] != u'>' && text[i] != u'/') ++i;
    tag.name = Lowered(text.substr(nameStart, i - nameStart));
    tag.attributes.reserve(4);  // as many as most link and meta elements hold
    for (;;) {
        while (i < text.size() && (IsHtmlBlank(text[i]) || text[i] == u'/')) ++i;
        if (i >= text.size()) return npos;
        if (text[i] == u'>') return i + 1;
        const std::size_t name = i;
        while (i < text.size() && !IsHtmlBlank(text[i]) && text[i] != u'=' && text[i] != u'>' && text[i] != u'/') ++i;
        HeadAttribute attribute{Lowered(text.substr(name, std::max<std::size_t>(i - name, 1))), String()};
        if (i == name) ++i;  // a lone '=' is a name of its own, as a browser reads it
        while (i < text.size() && IsHtmlBlank(text[i])) ++i;
        if (i < text.size() && text[i] == u'=') {
            ++i;
            while (i < text.size() && IsHtmlBlank(text[i])) ++i;
            if (i >= text.size()) return npos;
            std::size_t valueStart = i, valueEnd;
            if (text[i] == u'"' || text[i] == u'\'') {
                valueEnd = text.find(text[i], i + 1);
                if (valueEnd == npos) return npos;
                ++valueStart;
                i = valueEnd + 1;
            } else {
                while (i < text.size() && !IsHtmlBlank(text[i]) && text[i] != u'>') ++i;
                valueEnd = i;
            }
            attribute.value = DecodeCharacterReferences(text.substr(valueStart, valueEnd - valueStart));
        }
        tag.attributes.push_back(std::move(attribute));
    }
}

// After the start tag of an element whose content is not markup, the index after its end tag.
std::size_t SkipRawText(std::u16string_view text, std::size_t from, const String& name, String* content) {
    const std::string closing = "</" + name.ToUtf8();
    const std::size_t end = FindWord(text, from, closing);
    if (content) *content = String(text.substr(from, (end == npos ? text.size() : end) - from));
    if (end == npos) return npos;
    const std::size_t close = text.find(u'>', end);
    return close == npos ? npos : close + 1;
}

void AppendCodePoint(std::u16string& out, char32_t code) {
    if (code == 0 || code > 0x10FFFF || IsSurrogate(code)) code = kReplacementCharacter;
    AppendUtf16(out, code);
}

// The code point a reference's body (between '&' and ';') stands for, or false.
bool ReferencedCodePoint(std::u16string_view body, char32_t& code) {
    static constexpr struct {
        std::u16string_view name;
        char16_t unit;
    } kNamed[] = {{u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"apos", u'\''}, {u"nbsp", 0xA0}};
    for (const auto& named : kNamed) {
        if (body == named.name) {
            code = named.unit;
            return true;
        }
    }
    if (body.size() < 2 || body[0] != u'#') return false;
    const bool hex = body[1] == u'x' || body[1] == u'X';
    const std::u16string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return false;
    code = 0;
    for (const char16_t unit : digits) {
        const int value = hex ? HexDigitValue(unit) : IsAsciiDigit(unit) ? unit - u'0' : -1;
        if (value < 0) return false;
        code = code * (hex ? 16 : 10) + static_cast<char32_t>(value);
    }
    return true;
}

}  // namespace

const String* HeadTag::Attribute(std::u16string_view attribute) const {
    for (const HeadAttribute& candidate : attributes) {
        if (candidate.name.Text() == attribute) return &candidate.value;
    }
    return nullptr;
}

bool HeadTag::HasToken(std::u16string_view attribute, std::u16string_view token) const {
    const String* value = Attribute(attribute);
    if (!value) return false;
    const std::u16string& text = value->Text();
    for (std::size_t i = 0; i < text.size();) {
        while (i < text.size() && IsHtmlBlank(text[i])) ++i;
        const std::size_t start = i;
        while (i < text.size() && !IsHtmlBlank(text[i])) ++i;
        if (AsciiEqualsNoCase(std::u16string_view(text).substr(start, i - start), token)) {
            return true;
        }
    }
    return false;
}

std::size_t HeadEnd(std::u16string_view text) {
    return std::min(FindWord(text, 0, "</head"), FindWord(text, 0, "<body"));
}

std::vector<HeadTag> ScanHeadTags(std::u16string_view text) {
    text = text.substr(0, std::min(HeadEnd(text), text.size()));
    std::vector<HeadTag> tags;
    for (std::size_t at = text.find(u'<'); at != npos; at = at < text.size() ? text.find(u'<', at) : npos) {
        if (text.substr(at, 4) == u"<!--") {
            const std::size_t end = text.find(u"-->", at + 4);
            at = end == npos ? npos : end + 3;
            continue;
        }
        if (at + 1 >= text.size() || !IsAsciiLetter(text[at + 1])) {
            // A declaration, an end tag or a lone '<': up to the next '>' or on past the '<'.
            const bool markup =
                at + 1 < text.size() && (text[at + 1] == u'!' || text[at + 1] == u'?' || text[at + 1] == u'/');
            const std::size_t end = markup ? text.find(u'>', at) : at + 1;
            at = end == npos ? npos : end + (markup ? 1 : 0);
            continue;
        }
        HeadTag tag;
        at = ReadTag(text, at, tag);
        if (at == npos) break;
        const std::u16string& name = tag.name.Text();
        if (name == u"script") {
            at = SkipRawText(text, at, tag.name, &tag.text);
            tags.push_back(std::move(tag));
        } else if (name == u"style" || name == u"title" || name == u"textarea") {
            at = SkipRawText(text, at, tag.name, nullptr);
        } else if (name == u"link" || name == u"meta" || name == u"base") {
            tags.push_back(std::move(tag));
        }
    }
    return tags;
}

String DecodeCharacterReferences(std::u16string_view value) {
    if (value.find(u'&') == npos) return String(value);
    std::u16string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        char32_t code;
        const std::size_t end = value[i] == u'&' ? value.find(u';', i + 1) : npos;
        if (end != npos && end - i <= 10 && ReferencedCodePoint(value.substr(i + 1, end - i - 1), code)) {
            AppendCodePoint(out, code);
            i = end;
        } else {
            out += value[i];
        }
    }
    return String(std::move(out));
}

}  // namespace linkloom
