#pragma once

#include <string>
#include <string_view>

#include "base/String.h"

namespace linkloom {

// The character classes of URIs (RFC 3986).
bool IsUnreserved(char16_t unit);    // letters, digits, - . _ ~
bool IsSubDelimiter(char16_t unit);  // ! $ & ' ( ) * + , ; =
// What a path segment holds besides percent escapes: unreserved, sub-delimiters, ':' and '@'.
bool IsSegmentCharacter(char16_t unit);

// True when a '%' and two hexadecimal digits stand at `at`.
bool IsPercentEscapeAt(std::u16string_view text, std::size_t at);

// Appends "%XX" for each byte, upper-case.
void AppendPercentEncoded(std::u16string& out, std::string_view bytes);

// A folder or file name as a URL path segment: segment characters stay; everything else becomes
// %XX of its UTF-8 bytes.
String EncodeUrlSegment(const String& name);
void AppendUrlSegment(std::u16string& out, const String& name);

}  // namespace linkloom
