#include "cli/front/OptionValues.h"

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

}  // namespace linkloom::cli
