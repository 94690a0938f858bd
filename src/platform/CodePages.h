#pragma once

#include <cstddef>

namespace linkloom::platform {

// Converters into UTF-16 as MultiByteToWideChar with flags 0 converts: invalid input becomes
// U+FFFD, never more code units than bytes. Each returns the number of code units written
// (at most `room`).
std::size_t DecodeAnsi(const unsigned char* bytes, std::size_t count, char16_t* out, std::size_t room);
std::size_t DecodeUtf8(const unsigned char* bytes, std::size_t count, char16_t* out, std::size_t room);
// The number of code units DecodeUtf8 makes of the bytes, given room for all of them.
std::size_t Utf8Length(const unsigned char* bytes, std::size_t count);

// Whether the bytes look like little-endian UTF-16 text (the system's IsTextUnicode with all tests).
bool LooksLikeUtf16(const unsigned char* bytes, std::size_t count);

}  // namespace linkloom::platform
