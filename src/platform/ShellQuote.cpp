#include "platform/ShellQuote.h"

namespace linkloom::platform {

std::optional<String> ShellQuoted(const String& text) {
#ifdef _WIN32
    const std::u16string& units = text.Text();
    if (units.find_first_of(u"%$`\"") != std::u16string::npos) return std::nullopt;
    // A program splitting its command line reads backslashes before the closing quote as
    // escaping it: those at the end are doubled.
    const std::size_t kept = units.find_last_not_of(u'\\') + 1;
    return u"\"" + text + String(std::u16string(units.size() - kept, u'\\')) + u"\"";
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
