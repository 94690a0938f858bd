#include "core/url/RootUrl.h"

#include "base/AsciiCharacters.h"
#include "base/ControlCharacters.h"
#include "base/Utf8.h"
#include "core/url/UrlText.h"

namespace linkloom {

namespace {

bool IsSchemeCharacter(char16_t unit) {
    return IsAsciiLetter(unit) || IsAsciiDigit(unit) || unit == u'+' || unit == u'-' || unit == u'.';
}

// White space, controls, a query or fragment, or what is no character at all (U+FFFE, U+FFFF,
// an unpaired surrogate): none of these can be part of a root that locations continue.
bool HoldsForbidden(const String& text) {
    for (std::size_t i = 0; i < text.Length(); ++i) {
        const char16_t unit = text[i];
        if (IsControlCharacter(unit) || String::IsSpace(unit) || unit == u'?' || unit == u'#' || unit >= 0xFFFE) {
            return true;
        }
        if (IsSurrogatePairAt(text.Text(), i)) {
            ++i;
        } else if (IsSurrogate(unit)) {
            return true;
        }
    }
    return false;
}

// Appends text[from, to) with every unit that `keeps` refuses percent-encoded as UTF-8; a '%'
// stays only where it starts an escape.
template <typename Keeps>
void AppendEncoded(std::u16string& out, const String& text, std::size_t from, std::size_t to, Keeps keeps) {
    for (std::size_t at = from; at < to; ++at) {
        if (keeps(text[at]) || IsPercentEscapeAt(text.Text(), at)) {
            out += text[at];
            continue;
        }
        const std::size_t length = IsHighSurrogate(text[at]) ? 2 : 1;
        AppendPercentEncoded(out, String(text.Text().substr(at, length)).ToUtf8());
        at += length - 1;
    }
}

bool IsDigits(const String& text, std::size_t from, std::size_t to) {
    for (std::size_t at = from; at < to; ++at) {
        if (text[at] < u'0' || text[at] > u'9') return false;
    }
    return true;
}

std::size_t FindFrom(const String& text, char16_t unit, std::size_t from, std::size_t otherwise) {
    const auto at = text.Find(unit, from);
    return at == String::npos ? otherwise : static_cast<std::size_t>(at);
}

// Appends the host and port of an authority, text[from, to); false when there is no host, an
// address in brackets is not closed or holds what no address holds, or the port is not a number.
bool AppendHost(std::u16string& out, const String& text, std::size_t from, std::size_t to) {
    std::size_t hostEnd;
    if (from < to && text[from] == u'[') {
        hostEnd = FindFrom(text, u']', from, to);
        if (hostEnd >= to || hostEnd == from + 1) return false;
        for (std::size_t at = from + 1; at < hostEnd; ++at) {
            const char16_t unit = text[at];
            const bool kept = IsUnreserved(unit) || IsSubDelimiter(unit) || unit == u':';
            if (!kept && !IsPercentEscapeAt(text.Text(), at)) return false;
        }
        ++hostEnd;
        if (hostEnd < to && text[hostEnd] != u':') return false;
        out.append(text.Text(), from, hostEnd - from);
    } else {
        hostEnd = FindFrom(text, u':', from, to);
        if (hostEnd >= to) hostEnd = to;
        if (hostEnd == from) return false;
        AppendEncoded(out, text, from, hostEnd,
                      [](char16_t unit) { return IsUnreserved(unit) || IsSubDelimiter(unit); });
    }
    if (hostEnd < to && !IsDigits(text, hostEnd + 1, to)) return false;
    out.append(text.Text(), hostEnd, to - hostEnd);
    return true;
}

}  // namespace

std::optional<String> CanonicalRootUrl(String text) {
    text.TrimLeft();
    if (!text.StartsWith(u"http") || HoldsForbidden(text)) return std::nullopt;
    const std::size_t colon = FindFrom(text, u':', 0, text.Length());
    for (std::size_t at = 0; at < colon; ++at) {
        if (!IsSchemeCharacter(text[at])) return std::nullopt;
    }
    if (text.Text().compare(colon, 3, u"://") != 0) return std::nullopt;

    const std::size_t authority = colon + 3;
    const std::size_t path = FindFrom(text, u'/', authority, text.Length());
    const auto at = text.Text().rfind(u'@', path - 1);
    const std::size_t host = at != std::u16string::npos && at >= authority ? at + 1 : authority;

    std::u16string out = text.Text().substr(0, authority);
    if (host > authority) {
        AppendEncoded(out, text, authority, host - 1,
                      [](char16_t unit) { return IsUnreserved(unit) || IsSubDelimiter(unit) || unit == u':'; });
        out += u'@';
    }
    if (!AppendHost(out, text, host, path)) return std::nullopt;
    AppendEncoded(out, text, path, text.Length(),
                  [](char16_t unit) { return IsSegmentCharacter(unit) || unit == u'/'; });
    if (out.back() != u'/') out += u'/';
    if (out.size() > kMaxRootUrlLength) return std::nullopt;
    return String(std::move(out));
}

}  // namespace linkloom
