#include "core/markup/ImageTags.h"

#include "base/AsciiCharacters.h"
#include "core/markup/HeadTags.h"

namespace linkloom {

namespace {

bool StartsWithNoCase(std::u16string_view text, std::size_t at, std::u16string_view lower) {
    return text.size() - at >= lower.size() && AsciiEqualsNoCase(text.substr(at, lower.size()), lower);
}

// Where the raw text of a script or style element that starts at `at` ends, or npos.
std::size_t RawTextEnd(std::u16string_view text, std::size_t at, std::u16string_view closing) {
    for (std::size_t end = text.find(u"</", at); end != std::u16string_view::npos; end = text.find(u"</", end + 2)) {
        if (StartsWithNoCase(text, end + 2, closing)) return end;
    }
    return std::u16string_view::npos;
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

// Reads the attributes of the tag whose name ends at `at`, up to its '>'; src and srcset are
// added to `sources`. Returns where the tag ends, or npos when it is cut.
std::size_t ReadImageTag(std::u16string_view text, std::size_t at, std::vector<String>& sources) {
    std::u16string_view src, srcset;
    bool hasSrc = false, hasSrcset = false;
    while (at < text.size()) {
        while (at < text.size() && (IsHtmlBlank(text[at]) || text[at] == u'/')) ++at;
        if (at >= text.size()) break;
        if (text[at] == u'>') {
            if (hasSrc && !TrimHtmlBlanks(src).empty())
                sources.push_back(DecodeCharacterReferences(TrimHtmlBlanks(src)));
            const std::u16string_view first = FirstCandidate(srcset);
            if (hasSrcset && !first.empty()) sources.push_back(DecodeCharacterReferences(first));
            return at + 1;
        }
        const std::size_t nameStart = at;
        while (at < text.size() && !IsHtmlBlank(text[at]) && text[at] != u'=' && text[at] != u'>' && text[at] != u'/') {
            ++at;
        }
        const std::u16string_view name = text.substr(nameStart, at - nameStart);
        while (at < text.size() && IsHtmlBlank(text[at])) ++at;
        std::u16string_view value;
        if (at < text.size() && text[at] == u'=') {
            ++at;
            while (at < text.size() && IsHtmlBlank(text[at])) ++at;
            if (at < text.size() && (text[at] == u'"' || text[at] == u'\'')) {
                const std::size_t close = text.find(text[at], at + 1);
                if (close == std::u16string_view::npos) return close;
                value = text.substr(at + 1, close - at - 1);
                at = close + 1;
            } else {
                const std::size_t valueStart = at;
                while (at < text.size() && !IsHtmlBlank(text[at]) && text[at] != u'>') ++at;
                value = text.substr(valueStart, at - valueStart);
            }
        }
        // The first of an attribute named twice counts, as browsers read it.
        if (!hasSrc && AsciiEqualsNoCase(name, u"src")) {
            hasSrc = true;
            src = value;
        } else if (!hasSrcset && AsciiEqualsNoCase(name, u"srcset")) {
            hasSrcset = true;
            srcset = value;
        }
    }
    return std::u16string_view::npos;
}

}  // namespace

std::vector<String> ScanImageSources(std::u16string_view text) {
    std::vector<String> sources;
    for (std::size_t at = text.find(u'<'); at != std::u16string_view::npos; at = text.find(u'<', at)) {
        if (StartsWithNoCase(text, at, u"<!--")) {
            const std::size_t end = text.find(u"-->", at + 4);
            if (end == std::u16string_view::npos) break;
            at = end + 3;
            continue;
        }
        std::u16string_view raw;
        if (StartsWithNoCase(text, at, u"<script")) raw = u"script";
        if (StartsWithNoCase(text, at, u"<style")) raw = u"style";
        const std::size_t afterName = at + 1 + (raw.empty() ? 3 : raw.size());
        const bool nameEnds = afterName >= text.size() || IsHtmlBlank(text[afterName]) || text[afterName] == u'>' ||
                              text[afterName] == u'/';
        if (!raw.empty() && nameEnds) {
            at = RawTextEnd(text, afterName, raw);
            if (at == std::u16string_view::npos) break;
            ++at;
            continue;
        }
        if (raw.empty() && nameEnds && StartsWithNoCase(text, at, u"<img")) {
            at = ReadImageTag(text, afterName, sources);
            if (at == std::u16string_view::npos) break;
            continue;
        }
        ++at;
    }
    return sources;
}

}  // namespace linkloom
