#include "cli/output/Sections.h"

#include <unordered_set>

#include "base/AsciiCharacters.h"

namespace linkloom::cli {

namespace {

// Long enough for a meaningful name, short enough that the stem, a part number and the
// extension stay within the 255 units a file name may have.
constexpr std::size_t kMostNameLength = 100;

String SafeName(std::u16string_view key) {
    if (key.empty()) return u"root";
    std::u16string name;
    for (const char16_t unit : key.substr(0, kMostNameLength)) {
        const bool plain = IsAsciiLetter(unit) || IsAsciiDigit(unit) || unit == u'-' || unit == u'_' || unit == u'.';
        name += unit == u'/' ? u'-' : plain ? AsciiLower(unit) : u'_';
    }
    return String(std::move(name));
}

}  // namespace

std::u16string Sections::KeyOf(const String& location) const {
    std::u16string_view path = location.Text();
    path.remove_prefix(std::min(rootUrl_.Length(), path.size()));
    path = path.substr(0, path.find(u'?'));
    std::size_t end = 0;
    for (int folders = 0; folders < depth_; ++folders) {
        const std::size_t slash = path.find(u'/', end);
        if (slash == std::u16string_view::npos) break;
        end = slash + 1;
    }
    return std::u16string(path.substr(0, end == 0 ? 0 : end - 1));
}

std::vector<String> SectionNames(const std::vector<std::u16string>& keys,
                                 const std::function<std::vector<String>(const String&, std::size_t)>& fileNames) {
    std::vector<String> names(keys.size());
    std::unordered_set<std::u16string> taken;
    const auto name = [&](std::size_t index) {
        const String safe = SafeName(keys[index]);
        for (int suffix = 1;; ++suffix) {
            const String candidate = suffix == 1 ? safe : safe + u'_' + String::FromInt(suffix);
            // The name itself is taken too, so that no section's parts look like another's file.
            std::vector<std::u16string> files{u"/" + AsciiLowered(candidate.Text())};
            for (const String& file : fileNames(candidate, index)) files.push_back(AsciiLowered(file.Text()));
            bool free = true;
            for (const auto& file : files) free = free && !taken.count(file);
            if (!free) continue;
            taken.insert(files.begin(), files.end());
            names[index] = candidate;
            return;
        }
    };
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].empty()) name(i);
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!keys[i].empty()) name(i);
    }
    return names;
}

}  // namespace linkloom::cli
