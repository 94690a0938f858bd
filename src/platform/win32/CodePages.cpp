#include "platform/CodePages.h"

#include <windows.h>

namespace linkloom::platform {

namespace {

std::size_t Convert(UINT codePage, const unsigned char* bytes, std::size_t count, char16_t* out, std::size_t room) {
    if (count == 0) return 0;
    const int written = MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(bytes), static_cast<int>(count),
                                            reinterpret_cast<wchar_t*>(out), static_cast<int>(room));
    return written > 0 ? static_cast<std::size_t>(written) : 0;
}

}  // namespace

std::size_t DecodeAnsi(const unsigned char* bytes, std::size_t count, char16_t* out, std::size_t room) {
    return Convert(CP_ACP, bytes, count, out, room);
}

std::size_t DecodeUtf8(const unsigned char* bytes, std::size_t count, char16_t* out, std::size_t room) {
    return Convert(CP_UTF8, bytes, count, out, room);
}

std::size_t Utf8Length(const unsigned char* bytes, std::size_t count) {
    if (count == 0) return 0;
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(bytes), static_cast<int>(count), nullptr, 0);
    return length > 0 ? static_cast<std::size_t>(length) : 0;
}

bool LooksLikeUtf16(const unsigned char* bytes, std::size_t count) {
    return IsTextUnicode(bytes, static_cast<int>(count), nullptr) != 0;
}

}  // namespace linkloom::platform
