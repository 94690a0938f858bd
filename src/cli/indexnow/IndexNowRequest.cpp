#include "cli/indexnow/IndexNowRequest.h"

#include <algorithm>

namespace linkloom::cli {

namespace {

// `text` (UTF-8) as a JSON string.
void AppendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendMember(std::string& out, const char* name, std::string_view value) {
    AppendJsonString(out, name);
    out += ':';
    AppendJsonString(out, value);
    out += ',';
}

}  // namespace

std::string IndexNowBody(const IndexNowSite& site, const std::vector<UrlChanges::Change>& changes, std::size_t first) {
    std::string body = "{";
    AppendMember(body, "host", site.host);
    AppendMember(body, "key", site.key);
    AppendMember(body, "keyLocation", site.keyLocation);
    body += "\"urlList\":[";
    const std::size_t end = std::min(changes.size(), first + kIndexNowBatch);
    for (std::size_t i = first; i < end; ++i) {
        if (i > first) body += ',';
        AppendJsonString(body, changes[i].location);
    }
    body += "]}";
    return body;
}

}  // namespace linkloom::cli
