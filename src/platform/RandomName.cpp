#include "platform/RandomName.h"

#include <vector>

namespace linkloom::platform {

bool RandomName(std::size_t length, String& name, String& error) {
    // 32 symbols, five bits each; no letters that read like digits, none that differ by case alone.
    static constexpr char16_t kSymbols[] = u"0123456789abcdefghjkmnpqrstvwxyz";
    std::vector<unsigned char> bytes(length);
    if (!RandomBytes(bytes.data(), bytes.size(), error)) return false;
    std::u16string text;
    for (const unsigned char byte : bytes) text += kSymbols[byte % 32];
    name = String(std::move(text));
    return true;
}

}  // namespace linkloom::platform
