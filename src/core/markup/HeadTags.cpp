#include "core/markup/HeadTags.h"

#include <algorithm>
#include <cstring>

#include "base/AsciiCharacters.h"
#include "base/TextScan.h"
#include "base/Utf8.h"
#include "core/markup/MarkupScan.h"
#include "platform/CodePages.h"

namespace linkloom {

namespace {

constexpr std::size_t npos = std::u16string_view::npos;
// Room for as many attributes and tags as most heads hold, more in a longer head (heads of
// generated sites have an attribute in about every 30 characters and a tag in every 90), so
// that the lists seldom grow.
constexpr std::size_t kUsualAttributes = 32;
constexpr std::size_t kUsualTags = 16;
constexpr std::size_t kUnitsPerAttribute = 24;
constexpr std::size_t kUnitsPerTag = 64;
constexpr std::size_t kMostReserved = 4096;

std::size_t Room(std::size_t usual, std::size_t expected) { return std::clamp(expected, usual, kMostReserved); }

void LowerInPlace(char16_t* text, std::size_t size) {
    // Most names are in lower case already: only capitals are written.
    for (std::size_t i = 0; i < size; ++i) {
        if (static_cast<char16_t>(text[i] - u'A') < 26) text[i] += u'a' - u'A';
    }
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
    const std::size_t at = FindUnitFrom(value, size, 0, u'&');
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

// A tag name the scan acts on: the elements it keeps, and those whose content is not markup
// (`closing` is "</" and the name).
struct KnownTag {
    std::string_view name;
    std::u16string_view kept;  // the name a kept tag gets, or empty
    std::string_view closing;
    HeadElement element = HeadElement::Link;
};

constexpr KnownTag kKnownTags[] = {{"link", u"link", {}, HeadElement::Link},
                                   {"meta", u"meta", {}, HeadElement::Meta},
                                   {"base", u"base", {}, HeadElement::Base},
                                   {"script", u"script", "</script", HeadElement::Script},
                                   {"style", {}, "</style"},
                                   {"title", {}, "</title"},
                                   {"textarea", {}, "</textarea"}};
constexpr KnownTag kOtherTag{};

// The lengths of the known names, as bits.
constexpr unsigned kKnownLengths = 1u << 4 | 1u << 5 | 1u << 6 | 1u << 8;

template <typename Unit>
const KnownTag& KnownTagOf(const Unit* name, std::size_t count) {
    // Most other names are passed over by their length alone.
    if (count > 8 || !(kKnownLengths >> count & 1)) return kOtherTag;
    for (const KnownTag& known : kKnownTags) {
        if (UnitsAreNoCase(name, count, known.name)) return known;
    }
    return kOtherTag;
}

// True when the `size` units at `name` are `word`.
bool NameIs(const char16_t* name, std::size_t size, std::u16string_view word) {
    return size == word.size() && std::memcmp(name, word.data(), size * sizeof(char16_t)) == 0;
}

// The key a lowered attribute name stands for, or kHeadKeys.
std::size_t KeyOf(const char16_t* name, std::size_t size) {
    // In the order of HeadKey.
    constexpr std::u16string_view kNames[kHeadKeys] = {u"rel",     u"href",       u"hreflang", u"name",
                                                       u"content", u"http-equiv", u"property"};
    // Only the length and first letter are compared for most names.
    if (size < 3 || size > 10) return kHeadKeys;
    for (std::size_t key = 0; key < kHeadKeys; ++key) {
        if (name[0] == kNames[key][0] && NameIs(name, size, kNames[key])) return key;
    }
    return kHeadKeys;
}

// Calls `each` with every blank-separated token of `text`, until it returns false.
template <typename Each>
void ForEachToken(std::u16string_view text, Each each) {
    for (std::size_t i = 0; i < text.size();) {
        while (i < text.size() && IsHtmlBlank(text[i])) ++i;
        const std::size_t start = i;
        while (i < text.size() && !IsHtmlBlank(text[i])) ++i;
        if (i > start && !each(text.substr(start, i - start))) return;
    }
}

// The HeadRel types among the blank-separated tokens of a rel value.
unsigned char RelsOf(std::u16string_view value) {
    unsigned char rels = 0;
    ForEachToken(value, [&rels](std::u16string_view token) {
        if (AsciiEqualsNoCase(token, u"canonical")) rels |= kRelCanonical;
        if (AsciiEqualsNoCase(token, u"alternate")) rels |= kRelAlternate;
        return true;
    });
    return rels;
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
    bool found = false;
    if (value)
        ForEachToken(*value, [&](std::u16string_view each) { return !(found = AsciiEqualsNoCase(each, token)); });
    return found;
}

std::size_t HeadEnd(std::u16string_view text) { return HeadEndIn(text.data(), text.size()); }

std::size_t HeadEnd(const unsigned char* bytes, std::size_t count) { return HeadEndIn(bytes, count); }

HeadTags ScanHeadTags(std::u16string_view text) { return ScanHeadText(text.substr(0, HeadEnd(text))); }

template <typename Unit>
HeadTags HeadTags::Scan(const Unit* units, std::unique_ptr<char16_t[]> head, std::size_t size) {
    HeadTags tags;
    tags.text_ = std::move(head);
    char16_t* text = tags.text_.get();
    tags.attributes_.reserve(Room(kUsualAttributes, size / kUnitsPerAttribute));
    tags.tags_.reserve(Room(kUsualTags, size / kUnitsPerTag));
    // Most values hold no reference: only one that reaches the next '&' is decoded.
    std::size_t ampersand = FindUnitFrom(units, size, 0, u'&');
    for (std::size_t at = NextStartTag(units, size, 0); at != npos; at = NextStartTag(units, size, at)) {
        const std::size_t nameEnd = TagNameEnd(units, size, at);
        const KnownTag& known = KnownTagOf(units + at + 1, nameEnd - at - 1);
        const bool kept = !known.kept.empty();
        HeadTag tag;
        tag.element = known.element;
        tag.name = known.kept;
        TagPart part;
        for (at = nameEnd; (part = ReadTagPart(units, size, at)).kind == TagPart::Kind::Attribute; at = part.next) {
            if (!kept) continue;
            char16_t* const name = text + part.nameStart;
            LowerInPlace(name, part.nameEnd - part.nameStart);
            char16_t* const value = text + part.valueStart;
            std::size_t length = part.valueEnd - part.valueStart;
            if (ampersand < part.valueStart) ampersand = FindUnitFrom(units, size, part.valueStart, u'&');
            if (ampersand < part.valueEnd) length = DecodeInPlace(value, length);
            const std::size_t key = KeyOf(name, part.nameEnd - part.nameStart);
            if (key < kHeadKeys && tag.known[key] == HeadTag::kAbsent) {
                tag.known[key] = static_cast<std::uint32_t>(tag.attributes.count);
            }
            tags.attributes_.push_back({{name, part.nameEnd - part.nameStart}, {value, length}});
            ++tag.attributes.count;
        }
        if (part.kind == TagPart::Kind::Cut) break;
        at = part.next;
        if (!known.closing.empty()) {
            const std::size_t close = FindWordFrom(units, size, at, known.closing);
            if (kept) tag.text = {text + at, (close == npos ? size : close) - at};
            at = FindUnitFrom(units, size, close, u'>');
            if (at != npos) ++at;
        }
        if (kept) tags.tags_.push_back(tag);
        if (at == npos) break;
    }
    // The list has stopped growing: each tag's attributes follow those of the tag before.
    const HeadAttribute* first = tags.attributes_.data();
    for (HeadTag& tag : tags.tags_) {
        tag.attributes.first = first;
        first += tag.attributes.count;
        if (tag.element == HeadElement::Link)
            tag.rels = RelsOf(tag.Value(HeadKey::Rel).value_or(std::u16string_view()));
    }
    return tags;
}

HeadTags ScanHeadText(std::u16string_view head) {
    std::unique_ptr<char16_t[]> text(new char16_t[head.size()]);
    std::copy(head.begin(), head.end(), text.get());
    const char16_t* units = text.get();
    return HeadTags::Scan(units, std::move(text), head.size());
}

HeadTags ScanHeadBytes(const unsigned char* head, std::size_t count, bool utf8) {
    // Decoding makes at most as many code units as it reads bytes, and as many when all are ASCII:
    // the bytes then show where the tags stand in the text, and are quicker to search.
    std::unique_ptr<char16_t[]> text(new char16_t[count]);
    if (WidenAsciiRun(head, count, text.get()) == count) return HeadTags::Scan(head, std::move(text), count);
    const std::size_t size = utf8 ? platform::DecodeUtf8(head, count, text.get(), count)
                                  : platform::DecodeAnsi(head, count, text.get(), count);
    const char16_t* units = text.get();
    return HeadTags::Scan(units, std::move(text), size);
}

String DecodeCharacterReferences(std::u16string_view value) {
    std::u16string out(value);
    out.resize(DecodeInPlace(out.data(), out.size()));
    return String(std::move(out));
}

}  // namespace linkloom
