#include "platform/RandomName.h"

#include <string_view>
#include <vector>

namespace linkloom::platform {

namespace {

// 32 symbols, five bits each; no letters that read like digits, none that differ by case alone.
constexpr char16_t kSymbols[] = u"0123456789abcdefghjkmnpqrstvwxyz";

}  // namespace

bool IsRandomNameSymbol(char16_t unit) {
    return unit != 0 && std::u16string_view(kSymbols).find(unit) != std::u16string_view::npos;
}

Outcome<String> RandomName(std::size_t length) {
    std::vector<unsigned char> bytes(length);
    if (auto failure = RandomBytes(bytes.data(), bytes.size())) return *failure;
    std::u16string text;
    for (const unsigned char byte : bytes) text += kSymbols[byte % 32];
    return String(std::move(text));
}

}  // namespace linkloom::platform
