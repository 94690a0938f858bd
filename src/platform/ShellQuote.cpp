#include "platform/ShellQuote.h"

namespace linkloom::platform {

std::optional<String> ShellQuoted(const String& text) {
#ifdef _WIN32
    if (text.Text().find_first_of(u"%$`\"") != std::u16string::npos) return std::nullopt;
    return u"\"" + text + u"\"";
#else
    std::u16string quoted = u"'";
    for (const char16_t unit : text.Text()) {
        if (unit == u'\'') {
            quoted += u"'\\''";
        } else {
            quoted += unit;
        }
    }
    quoted += u'\'';
    return String(quoted);
#endif
}

}  // namespace linkloom::platform
