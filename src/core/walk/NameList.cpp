#include "core/walk/NameList.h"

#include "platform/TextCompare.h"

namespace linkloom {

bool NameList::Parse(const String& text, char16_t separator) {
    items_.clear();
    const std::size_t length = text.Length();
    std::size_t at = 0;
    while (at < length) {
        while (at < length && String::IsSpace(text[at])) ++at;
        if (at == length) break;
        if (text[at] == separator) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < length && text[end] != separator) ++end;
        String item(text.Text().substr(at, end - at));
        item.TrimRight();
        items_.push_back(std::move(item));
        at = end < length ? end + 1 : end;
    }
    return !items_.empty();
}

bool NameList::Contains(const String& extension) const {
    for (const String& item : items_) {
        if (platform::CompareNoCase(item, extension) == 0) return true;
    }
    return false;
}

}  // namespace linkloom
