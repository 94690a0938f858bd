// Feeds a root URL and names to the location builder: whatever comes in, an accepted root and
// every location built on it must be a well-formed URI (only URI characters, valid percent
// escapes, a host, no query or fragment) that encoding again leaves as it is. Input: UTF-16LE
// code units, the root URL first, then the names of a path, separated by U+0000.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/url/RootUrl.h"
#include "core/url/UrlText.h"

namespace {

using linkloom::String;

bool IsHex(char16_t unit) {
    return (unit >= u'0' && unit <= u'9') || (unit >= u'A' && unit <= u'F') || (unit >= u'a' && unit <= u'f');
}

// RFC 3986's characters, checked here without the builder's own tables; brackets only around an
// address in the authority.
bool IsWellFormed(const std::u16string& location) {
    static const std::u16string kAllowed =
        u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~:/@!$&'()*+,;=";
    const std::size_t path = location.find(u'/', location.find(u"://") + 3);
    for (std::size_t at = 0; at < location.size(); ++at) {
        if (location[at] == u'%') {
            if (at + 2 >= location.size() || !IsHex(location[at + 1]) || !IsHex(location[at + 2])) return false;
            continue;
        }
        const bool bracket = location[at] == u'[' || location[at] == u']';
        if (bracket ? at >= path : kAllowed.find(location[at]) == std::u16string::npos) return false;
    }
    return true;
}

bool HasHost(const std::u16string& url) {
    const std::size_t authority = url.find(u"://") + 3;
    const std::size_t path = url.find(u'/', authority);
    const std::size_t at = url.rfind(u'@', path - 1);
    const std::size_t host = at != std::u16string::npos && at >= authority ? at + 1 : authority;
    return host < path && url[host] != u':';
}

void Check(bool holds) {
    if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::u16string> parts(1);
    for (std::size_t at = 0; at + 1 < size; at += 2) {
        const auto unit = static_cast<char16_t>(data[at] | (data[at + 1] << 8));
        if (unit == 0) {
            parts.emplace_back();
        } else {
            parts.back() += unit;
        }
    }
    const auto root = linkloom::CanonicalRootUrl(String(parts[0]));
    if (!root) return 0;
    const std::u16string& url = root->Text();
    Check((url.compare(0, 7, u"http://") == 0 || url.compare(0, 8, u"https://") == 0) && url.back() == u'/');
    Check(url.size() <= linkloom::kMaxRootUrlLength);
    Check(IsWellFormed(url) && HasHost(url));
    Check(linkloom::CanonicalRootUrl(*root) == root);

    String location = *root;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        location += linkloom::EncodeUrlSegment(String(parts[i]));
        if (i + 1 < parts.size()) location += u'/';
    }
    Check(IsWellFormed(location.Text()));
    return 0;
}
