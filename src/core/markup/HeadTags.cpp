#include "core/markup/HeadTags.h"

#include <algorithm>
#include <cstring>

#include "base/AsciiCharacters.h"
#include "base/TextScan.h"
#include "base/Utf8.h"

namespace linkloom {

namespace {

constexpr std::size_t npos = std::u16string_view::npos;
// As many attributes and tags as most heads hold, so that the lists seldom grow.
constexpr std::size_t kUsualAttributes = 32;
constexpr std::size_t kUsualTags = 16;

std::size_t FindWord(std::u16string_view text, std::size_t from, std::string_view word) {
    if (from >= text.size()) return npos;
    const std::size_t at = FindAsciiNoCase(text.data() + from, text.size() - from, word);
    return at == npos ? npos : from + at;
}

// Where `unit` first stands at or after `from`, or npos.
std::size_t FindFrom(std::u16string_view text, std::size_t from, char16_t unit) {
    if (from >= text.size()) return npos;
    const std::size_t at = FindUnit(text.data() + from, text.size() - from, unit);
    return at == npos ? npos : from + at;
}

void LowerInPlace(char16_t* text, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) text[i] = AsciiLower(text[i]);
}

char16_t* PutCodePoint(char16_t* out, char32_t code) {
    if (code == 0 || code > 0x10FFFF || IsSurrogate(code)) code = kReplacementCharacter;
    if (code >= 0x10000) {
        *out++ = HighSurrogateOf(code);
        *out++ = LowSurrogateOf(code);
    } else {
        *out++ = static_cast<char16_t>(code);
    }
    return out;
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

// Decodes the references of `size` units at `value` where they stand and returns the decoded
// length. A reference is at least four units long ("&lt;", "&#1;") and stands for at most two,
// so the writing never overtakes the reading.
std::size_t DecodeInPlace(char16_t* value, std::size_t size) {
    const std::u16string_view text(value, size);
    std::size_t at = FindFrom(text, 0, u'&');
    if (at == npos) return size;
    char16_t* out = value + at;
    for (std::size_t i = at; i < size; ++i) {
        char32_t code;
        const std::size_t end = text[i] == u'&' ? text.find(u';', i + 1) : npos;
        if (end != npos && end - i <= 10 && ReferencedCodePoint(text.substr(i + 1, end - i - 1), code)) {
            out = PutCodePoint(out, code);
            i = end;
        } else {
            *out++ = text[i];
        }
    }
    return static_cast<std::size_t>(out - value);
}

constexpr std::string_view kHeadClose = "</head";
constexpr std::string_view kBodyOpen = "<body";

template <typename Unit>
std::size_t HeadEndIn(const Unit* text, std::size_t count) {
    const std::size_t close = FindAsciiNoCase(text, count, kHeadClose);
    // A body that opens first lies wholly before the close, which starts with a '<' that only
    // its first letter could match.
    return std::min(close, FindAsciiNoCase(text, std::min(count, close), kBodyOpen));
}

// Reads the tags of a head's text, lowering names and decoding values where they stand.
class TagScanner {
public:
    TagScanner(char16_t* text, std::size_t size, std::vector<HeadAttribute>& attributes)
        : data_(text), text_(text, size), attributes_(attributes) {}

    // Reads the tag that starts at `at` (just after its name's first letter is known to be
    // there): its name, lowered, and its attributes, appended to the list. Returns the index
    // after its '>', or npos when the text ends first.
    std::size_t ReadTag(std::size_t at, std::u16string_view& name) {
        const std::u16string_view text = text_;
        std::size_t i = at + 1;
        const std::size_t nameStart = i;
        while (i < text.size() && !IsHtmlBlank(text[i]) && text[i] != u'>' && text[i] != u'/') ++i;
        LowerInPlace(data_ + nameStart, i - nameStart);
        name = text.substr(nameStart, i - nameStart);
        for (;;) {
            while (i < text.size() && (IsHtmlBlank(text[i]) || text[i] == u'/')) ++i;
            if (i >= text.size()) return npos;
            if (text[i] == u'>') return i + 1;
            const std::size_t start = i;
            while (i < text.size() && !IsHtmlBlank(text[i]) && text[i] != u'=' && text[i] != u'>' && text[i] != u'/') {
                ++i;
            }
            if (i == start) ++i;  // a lone '=' is a name of its own, as a browser reads it
            LowerInPlace(data_ + start, i - start);
            HeadAttribute attribute{text.substr(start, i - start), std::u16string_view()};
            while (i < text.size() && IsHtmlBlank(text[i])) ++i;
            if (i < text.size() && text[i] == u'=') {
                ++i;
                while (i < text.size() && IsHtmlBlank(text[i])) ++i;
                if (i >= text.size()) return npos;
                std::size_t valueStart = i, valueEnd;
                if (text[i] == u'"' || text[i] == u'\'') {
                    valueEnd = FindFrom(text, i + 1, text[i]);
                    if (valueEnd == npos) return npos;
                    ++valueStart;
                    i = valueEnd + 1;
                } else {
                    while (i < text.size() && !IsHtmlBlank(text[i]) && text[i] != u'>') ++i;
                    valueEnd = i;
                }
                attribute.value = {data_ + valueStart, DecodeInPlace(data_ + valueStart, valueEnd - valueStart)};
            }
            attributes_.push_back(attribute);
        }
    }

private:
    char16_t* data_;
    std::u16string_view text_;
    std::vector<HeadAttribute>& attributes_;
};

// After the start tag of an element whose content is not markup, the index after its end tag
// (`closing` is "</" and the name); `content` is what lies between.
std::size_t SkipRawText(std::u16string_view text, std::size_t from, std::string_view closing,
                        std::u16string_view& content) {
    const std::size_t end = FindWord(text, from, closing);
    content = text.substr(from, (end == npos ? text.size() : end) - from);
    if (end == npos) return npos;
    const std::size_t close = FindFrom(text, end, u'>');
    return close == npos ? npos : close + 1;
}

// The closing word of an element whose content is not markup, or empty for any other.
std::string_view RawTextClosing(std::u16string_view name) {
    static constexpr struct {
        std::u16string_view name;
        std::string_view closing;
    } kRaw[] = {{u"script", "</script"}, {u"style", "</style"}, {u"title", "</title"}, {u"textarea", "</textarea"}};
    for (const auto& raw : kRaw) {
        if (name == raw.name) return raw.closing;
    }
    return {};
}

}  // namespace

std::optional<std::u16string_view> HeadTag::Attribute(std::u16string_view attribute) const {
    for (const HeadAttribute& candidate : attributes) {
        if (candidate.name == attribute) return candidate.value;
    }
    return std::nullopt;
}

bool HeadTag::HasToken(std::u16string_view attribute, std::u16string_view token) const {
    const std::optional<std::u16string_view> value = Attribute(attribute);
    if (!value) return false;
    const std::u16string_view text = *value;
    for (std::size_t i = 0; i < text.size();) {
        while (i < text.size() && IsHtmlBlank(text[i])) ++i;
        const std::size_t start = i;
        while (i < text.size() && !IsHtmlBlank(text[i])) ++i;
        if (AsciiEqualsNoCase(text.substr(start, i - start), token)) return true;
    }
    return false;
}

std::size_t HeadEnd(std::u16string_view text) { return HeadEndIn(text.data(), text.size()); }

std::size_t HeadEnd(const unsigned char* bytes, std::size_t count) { return HeadEndIn(bytes, count); }

HeadTags ScanHeadTags(std::u16string_view text) { return ScanHeadText(text.substr(0, HeadEnd(text))); }

HeadTags ScanHeadText(std::u16string_view head) {
    HeadTags tags;
    tags.text_.reset(new char16_t[head.size()]);
    std::memcpy(tags.text_.get(), head.data(), head.size() * sizeof(char16_t));
    const std::u16string_view text(tags.text_.get(), head.size());
    tags.attributes_.reserve(kUsualAttributes);
    tags.tags_.reserve(kUsualTags);
    // Each tag keeps where its attributes start in the list until the list stops growing.
    std::vector<std::size_t> firstAttribute;
    firstAttribute.reserve(kUsualTags);
    TagScanner scanner(tags.text_.get(), head.size(), tags.attributes_);
    for (std::size_t at = FindFrom(text, 0, u'<'); at != npos; at = FindFrom(text, at, u'<')) {
        if (text.substr(at, 4) == u"<!--") {
            const std::size_t end = FindWord(text, at + 4, "-->");
            at = end == npos ? npos : end + 3;
            continue;
        }
        if (at + 1 >= text.size() || !IsAsciiLetter(text[at + 1])) {
            // A declaration, an end tag or a lone '<': up to the next '>' or on past the '<'.
            const bool markup =
                at + 1 < text.size() && (text[at + 1] == u'!' || text[at + 1] == u'?' || text[at + 1] == u'/');
            const std::size_t end = markup ? FindFrom(text, at, u'>') : at + 1;
            at = end == npos ? npos : end + (markup ? 1 : 0);
            continue;
        }
        const std::size_t first = tags.attributes_.size();
        HeadTag tag;
        at = scanner.ReadTag(at, tag.name);
        if (at == npos) break;
        const std::string_view closing = RawTextClosing(tag.name);
        const bool kept = tag.name == u"script" || tag.name == u"link" || tag.name == u"meta" || tag.name == u"base";
        if (!closing.empty()) at = SkipRawText(text, at, closing, tag.text);
        if (!kept) {
            tags.attributes_.resize(first);
            continue;
        }
        tag.attributes.count = tags.attributes_.size() - first;
        firstAttribute.push_back(first);
        tags.tags_.push_back(tag);
    }
    for (std::size_t i = 0; i < tags.tags_.size(); ++i)
        tags.tags_[i].attributes.first = tags.attributes_.data() + firstAttribute[i];
    return tags;
}

String DecodeCharacterReferences(std::u16string_view value) {
    std::u16string out(value);
    out.resize(DecodeInPlace(out.data(), out.size()));
    return String(std::move(out));
}

}  // namespace linkloom
