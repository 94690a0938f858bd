#include "cli/front/OptionValues.h"

#include <algorithm>
#include <iterator>

namespace linkloom::cli {

bool ParseNumber(const String& text, unsigned long long least, unsigned long long most, unsigned long long& value) {
    if (text.IsEmpty() || text.Length() > 10) return false;
    value = 0;
    for (std::size_t i = 0; i < text.Length(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') return false;
        value = value * 10 + (text[i] - u'0');
    }
    return value >= least && value <= most;
}

bool ParseLastmodSources(const String& text, LastmodOrder& order, String& error) {
    static const struct {
        const char16_t* name;
        LastmodSourceKind kind;
    } kSources[] = {
        {u"git", LastmodSourceKind::Git}, {u"meta", LastmodSourceKind::Meta}, {u"mtime", LastmodSourceKind::Mtime}};
    order.clear();
    bool ended = false;
    std::size_t start = 0;
    for (;;) {
        const auto comma = text.Find(u',', start);
        const std::size_t end = comma == String::npos ? text.Length() : static_cast<std::size_t>(comma);
        const String name(text.Text().substr(start, end - start));
        if (ended) {
            error = u"--lastmod: \"none\" ends the list";
            return false;
        }
        const auto* source = std::find_if(std::begin(kSources), std::end(kSources),
                                          [&name](const auto& known) { return name == String(known.name); });
        if (name == String(u"none")) {
            ended = true;
        } else if (source == std::end(kSources)) {
            error = String(u"--lastmod takes git, meta, mtime and none, not '") + name + u"'";
            return false;
        } else if (std::find(order.begin(), order.end(), source->kind) != order.end()) {
            error = String(u"--lastmod names '") + name + u"' twice";
            return false;
        } else {
            order.push_back(source->kind);
        }
        if (comma == String::npos) return true;
        start = end + 1;
    }
}

}  // namespace linkloom::cli
