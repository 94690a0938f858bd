#include "cli/check/SitemapEncoding.h"

#include "base/AsciiCharacters.h"

namespace linkloom::cli {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

bool IsXmlBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The value of the declaration's encoding, as written; empty when it names none.
std::string_view DeclaredEncoding(std::string_view declaration) {
    std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos) return {};
    at += std::string_view("encoding").size();
    while (at < declaration.size() && IsXmlBlank(declaration[at])) ++at;
    if (at >= declaration.size() || declaration[at] != '=') return {};
    ++at;
    while (at < declaration.size() && IsXmlBlank(declaration[at])) ++at;
    if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\'')) return {};
    const std::size_t end = declaration.find(declaration[at], at + 1);
    if (end == std::string_view::npos) return {};
    return declaration.substr(at + 1, end - at - 1);
}

bool IsUtf8Name(std::string_view name) {
    static constexpr std::string_view kUtf8 = "utf-8";
    if (name.size() != kUtf8.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (AsciiLower(name[i]) != kUtf8[i]) return false;
    }
    return true;
}

}  // namespace

std::string EncodingProblem(std::string_view head) {
    // A mark either way round, or '<' as a 16-bit unit.
    for (const std::string_view utf16 : {std::string_view("\xFE\xFF"), std::string_view("\xFF\xFE"),
                                         std::string_view("\0<", 2), std::string_view("<\0", 2)}) {
        if (StartsWith(head, utf16)) return "encoded in UTF-16; a sitemap must be UTF-8";
    }
    if (StartsWith(head, kUtf8Mark)) head.remove_prefix(kUtf8Mark.size());
    if (!StartsWith(head, "<?xml")) return std::string();
    const std::string_view encoding = DeclaredEncoding(head.substr(0, head.find("?>")));
    if (encoding.empty() || IsUtf8Name(encoding)) return std::string();
    return "declares the encoding " + std::string(encoding) + "; a sitemap must be UTF-8";
}

}  // namespace linkloom::cli
