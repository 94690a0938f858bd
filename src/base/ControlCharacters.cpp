#include "base/ControlCharacters.h"

namespace linkloom {

bool IsControlCharacter(char16_t unit) { return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F); }

String EscapeControlCharacters(const String& text) {
    std::u16string out;
    out.reserve(text.Length());
    for (std::size_t i = 0; i < text.Length(); ++i) {
        const char16_t unit = text[i];
        if (!IsControlCharacter(unit)) {
            out += unit;
            continue;
        }
        out += u'\\';
        switch (unit) {
        case u'\n': out += u'n'; break;
        case u'\r': out += u'r'; break;
        case u'\t': out += u't'; break;
        default: out += u'x' + String::FromHexPadded(unit, 2).Text(); break;
        }
    }
    return String(std::move(out));
}

}  // namespace linkloom
