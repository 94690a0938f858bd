#include "core/walk/ErrorPages.h"

#include <string_view>

#include "base/AsciiCharacters.h"

namespace linkloom {

namespace {

constexpr std::u16string_view kErrorNames[] = {u"404", u"410", u"500", u"502", u"503", u"50x"};

bool IsErrorName(std::u16string_view name) {
    for (const std::u16string_view error : kErrorNames) {
        if (AsciiEqualsNoCase(name, error)) return true;
    }
    return false;
}

}  // namespace

bool IsErrorPage(const String& folderPath, const String& name, const NameList& indexNames) {
    const std::u16string_view text = name.Text();
    const std::size_t dot = text.rfind(u'.');
    if (dot != std::u16string_view::npos && IsErrorName(text.substr(0, dot))) return true;
    if (!indexNames.Contains(name)) return false;
    std::u16string_view folder = folderPath.Text();
    if (folder.empty()) return false;
    folder.remove_suffix(1);
    return IsErrorName(folder.substr(folder.rfind(u'/') + 1));
}

}  // namespace linkloom
