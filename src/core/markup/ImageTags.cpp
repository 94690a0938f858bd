#include "core/markup/ImageTags.h"

#include <string>
#include <type_traits>

#include "base/AsciiCharacters.h"
#include "base/TextScan.h"
#include "core/markup/HeadTags.h"
#include "core/markup/MarkupScan.h"
#include "platform/CodePages.h"

namespace linkloom {

namespace {

// The scan reads only ASCII characters, so it runs alike on UTF-16 code units and on the bytes of
// 8-bit and UTF-8 text, where no byte of a character outside ASCII is an ASCII byte.
template <typename Unit>
using View = std::basic_string_view<Unit>;

const unsigned char* Units(View<char> text) { return reinterpret_cast<const unsigned char*>(text.data()); }
const char16_t* Units(View<char16_t> text) { return text.data(); }

template <typename Unit>
std::size_t Find(View<Unit> text, Unit unit, std::size_t from) {
    return FindUnitFrom(Units(text), text.size(), from, unit);
}

// The second characters of the tags the scan looks at: comments, <img>, <script> and <style>.
constexpr std::string_view kTagSeconds = "!is";

template <typename Unit>
using Openings = TagOpenings<std::conditional_t<sizeof(Unit) == 1, unsigned char, Unit>>;

template <typename Unit>
bool StartsWithNoCase(View<Unit> text, std::size_t at, std::string_view lower) {
    return text.size() - at >= lower.size() && UnitsAreNoCase(Units(text) + at, lower.size(), lower);
}

// Where the comment whose "<!--" starts at `at` ends with "-->", or npos.
template <typename Unit>
std::size_t CommentEnd(View<Unit> text, std::size_t at) {
    for (std::size_t end = Find(text, Unit('>'), at + 6); end != View<Unit>::npos;
         end = Find(text, Unit('>'), end + 1)) {
        if (text[end - 1] == '-' && text[end - 2] == '-') return end - 2;
    }
    return View<Unit>::npos;
}

// Where the raw text of a script or style element that starts at `at` ends, or npos.
template <typename Unit>
std::size_t RawTextEnd(View<Unit> text, std::size_t at, std::string_view closing) {
    for (std::size_t end = Find(text, Unit('<'), at); end != View<Unit>::npos; end = Find(text, Unit('<'), end + 1)) {
        if (end + 1 < text.size() && text[end + 1] == '/' && StartsWithNoCase(text, end + 2, closing)) return end;
    }
    return View<Unit>::npos;
}

// The src and srcset values of one <img>, as the text has them.
template <typename Unit>
struct ImageValues {
    View<Unit> src, srcset;
    bool hasSrc = false, hasSrcset = false;
};

// Reads the attributes of the tag whose name ends at `at`, up to its '>', into `values`.
// Returns where the tag ends, or npos when it is cut.
template <typename Unit>
std::size_t ReadImageTag(View<Unit> text, std::size_t at, ImageValues<Unit>& values) {
    for (;;) {
        const TagPart part = ReadTagPart(Units(text), text.size(), at);
        if (part.kind == TagPart::Kind::Cut) return View<Unit>::npos;
        if (part.kind == TagPart::Kind::End) return part.next;
        const std::size_t nameLength = part.nameEnd - part.nameStart;
        const View<Unit> value = text.substr(part.valueStart, part.valueEnd - part.valueStart);
        // The first of an attribute named twice counts, as browsers read it.
        if (!values.hasSrc && UnitsAreNoCase(Units(text) + part.nameStart, nameLength, "src")) {
            values.hasSrc = true;
            values.src = value;
        } else if (!values.hasSrcset && UnitsAreNoCase(Units(text) + part.nameStart, nameLength, "srcset")) {
            values.hasSrcset = true;
            values.srcset = value;
        }
        at = part.next;
    }
}

// True when a tag name of `length` characters after the '<' at `at` ends there.
template <typename Unit>
bool NameEnds(View<Unit> text, std::size_t at, std::size_t length) {
    const std::size_t after = at + 1 + length;
    return after >= text.size() || IsHtmlBlank(text[after]) || text[after] == '>' || text[after] == '/';
}

// Calls take(values) for each <img> outside comments, scripts and styles, in order.
template <typename Unit, typename Take>
void ScanImages(View<Unit> text, Take take) {
    // Other tags are passed over unread.
    Openings<Unit> tags(Units(text), text.size(), kTagSeconds);
    for (std::size_t at = tags.NextFrom(0); at != View<Unit>::npos; at = tags.NextFrom(at)) {
        const Unit next = AsciiLower(text[at + 1]);
        if (next == '!' && StartsWithNoCase(text, at, "<!--")) {
            at = CommentEnd(text, at);
            if (at == View<Unit>::npos) return;
            at += 3;
            continue;
        }
        const std::string_view raw = next != 's'                             ? ""
                                     : StartsWithNoCase(text, at, "<script") ? "script"
                                     : StartsWithNoCase(text, at, "<style")  ? "style"
                                                                             : "";
        if (!raw.empty() && NameEnds(text, at, raw.size())) {
            at = RawTextEnd(text, at + 1 + raw.size(), raw);
            if (at == View<Unit>::npos) return;
            ++at;
            continue;
        }
        if (next == 'i' && NameEnds(text, at, 3) && StartsWithNoCase(text, at, "<img")) {
            ImageValues<Unit> values;
            at = ReadImageTag(text, at + 4, values);
            if (at == View<Unit>::npos) return;
            take(values);
            continue;
        }
        ++at;
    }
}

// The URL of a srcset's first candidate: up to the first blank, a final comma dropped.
std::u16string_view FirstCandidate(std::u16string_view srcset) {
    srcset = TrimHtmlBlanks(srcset);
    std::size_t end = 0;
    while (end < srcset.size() && !IsHtmlBlank(srcset[end])) ++end;
    srcset = srcset.substr(0, end);
    while (!srcset.empty() && srcset.back() == u',') srcset.remove_suffix(1);
    return srcset;
}

void AddSource(std::u16string_view src, std::vector<String>& sources) {
    src = TrimHtmlBlanks(src);
    if (!src.empty()) sources.push_back(DecodeCharacterReferences(src));
}

void AddSources(const ImageValues<char16_t>& values, std::vector<String>& sources) {
    if (values.hasSrc) AddSource(values.src, sources);
    if (values.hasSrcset) AddSource(FirstCandidate(values.srcset), sources);
}

}  // namespace

std::vector<String> ScanImageSources(std::u16string_view text) {
    std::vector<String> sources;
    ScanImages(text, [&](const ImageValues<char16_t>& values) { AddSources(values, sources); });
    return sources;
}

std::vector<String> ScanImageSources(const unsigned char* bytes, std::size_t count, bool utf8) {
    std::vector<String> sources;
    std::u16string src, srcset;
    const auto decode = [utf8](View<char> value, std::u16string& out) {
        // Never more code units than bytes.
        out.resize(value.size());
        const auto* from = reinterpret_cast<const unsigned char*>(value.data());
        out.resize(utf8 ? platform::DecodeUtf8(from, value.size(), out.data(), out.size())
                        : platform::DecodeAnsi(from, value.size(), out.data(), out.size()));
        return std::u16string_view(out);
    };
    ScanImages(View<char>(reinterpret_cast<const char*>(bytes), count), [&](const ImageValues<char>& values) {
        ImageValues<char16_t> decoded;
        decoded.hasSrc = values.hasSrc;
        decoded.hasSrcset = values.hasSrcset;
        if (values.hasSrc) decoded.src = decode(values.src, src);
        if (values.hasSrcset) decoded.srcset = decode(values.srcset, srcset);
        AddSources(decoded, sources);
    });
    return sources;
}

}  // namespace linkloom
