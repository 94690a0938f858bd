#pragma once

namespace linkloom::platform {

// Letter case as this side of the platform knows it: ASCII and Latin-1 letters have two cases
// (but for the multiplication and division signs); every other code unit has one.
struct LatinCaseTables {
    char16_t lower[256];
    char16_t upper[256];
    constexpr LatinCaseTables() : lower(), upper() {
        for (int i = 0; i < 256; ++i) {
            const bool isUpper = (i >= 'A' && i <= 'Z') || (i >= 0xC0 && i <= 0xDE && i != 0xD7);
            const bool isLower = (i >= 'a' && i <= 'z') || (i >= 0xE0 && i <= 0xFE && i != 0xF7);
            lower[i] = static_cast<char16_t>(isUpper ? i + 32 : i);
            upper[i] = static_cast<char16_t>(isLower ? i - 32 : i);
        }
    }
};

inline constexpr LatinCaseTables kLatinCase{};

inline char16_t LatinLower(char16_t unit) { return unit < 256 ? kLatinCase.lower[unit] : unit; }
inline char16_t LatinUpper(char16_t unit) { return unit < 256 ? kLatinCase.upper[unit] : unit; }

}  // namespace linkloom::platform
